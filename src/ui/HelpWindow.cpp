#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QTextBrowser>

#include "ui/CoreText.h"

namespace {

constexpr int kTopicsWidth = 200;  // pixels
constexpr int kWidth = 860;
constexpr int kHeight = 600;

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : SecondaryWindow(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Help"));
  SetHelpSection(HelpSection::GettingStarted);
  topics_ = new QListWidget(this);
  topics_->setObjectName(QStringLiteral("HelpTopics"));
  for (const HelpTopic& topic : HelpTopics()) topics_->addItem(FromCoreText(topic.title));
  topics_->setFixedWidth(kTopicsWidth);
  text_ = new QTextBrowser(this);
  text_->setObjectName(QStringLiteral("HelpText"));
  text_->setOpenExternalLinks(false);
  connect(topics_, &QListWidget::currentRowChanged, this, &HelpWindow::ShowTopic);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(topics_);
  layout->addWidget(text_, 1);
  resize(kWidth, kHeight);
}

void HelpWindow::Show(HelpSection section) {
  const auto topics = HelpTopics();
  for (int row = 0; row < static_cast<int>(topics.size()); ++row)
    if (topics[static_cast<std::size_t>(row)].section == section) topics_->setCurrentRow(row);
  ShowTopic(topics_->currentRow());
  Open();
}

void HelpWindow::ShowTopic(int row) {
  const auto topics = HelpTopics();
  if (row < 0 || row >= static_cast<int>(topics.size())) return;
  const HelpTopic& topic = topics[static_cast<std::size_t>(row)];
  shown_ = topic.section;
  setWindowTitle(QStringLiteral("Help - ") + FromCoreText(topic.title));
  text_->setMarkdown(FromCoreText(topic.text));
}
