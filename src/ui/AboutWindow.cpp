#include "ui/AboutWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ui/CoreText.h"

namespace {
constexpr int kIconSize = 48;  // pixels
}  // namespace

AboutWindow::AboutWindow(AboutForm& form, QWidget* parent) : SecondaryWindow(parent), form_(form) {
  setObjectName(QStringLiteral("AboutWindow"));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize));
  title_ = AddLabel("title");
  QFont titleFont = title_->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
  title_->setFont(titleFont);
  version_ = AddLabel("versionText");
  description_ = AddLabel("description");
  disclaimer_ = AddLabel("disclaimer");

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(title_, 0, 1);
  layout->addWidget(version_, 1, 1);
  layout->addWidget(description_, 2, 1);
  layout->addWidget(disclaimer_, 3, 1);
  layout->addWidget(
      AddButton("close", AboutForm::kOKCaption, [this] { form_.Close(); }), 4, 1, Qt::AlignRight);
  resize(460, 280);
}

void AboutWindow::Refresh() {
  setWindowTitle(FromCoreText(form_.caption));
  title_->setText(FromCoreText(form_.title));
  version_->setText(FromCoreText(form_.versionText));
  description_->setText(FromCoreText(form_.description));
  disclaimer_->setText(FromCoreText(form_.disclaimer));
}
