#include "ui/ChartExport.h"

#include <QAction>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "app/ChartFile.h"
#include "platform/Dialogs.h"
#include "ui/CoreText.h"

namespace {

constexpr qreal kPictureScale = 2;  // picture pixels per screen pixel

QPushButton* Button(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

ChartPanel::ChartPanel(Dialogs& dialogs, std::function<std::string()> folder, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), folder_(std::move(folder)) {
  view_ = new QChartView(new QChart, this);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(320, 240);

  auto* copy = Button("CopyChart", QStringLiteral("Copy Chart"), this);
  auto* save = Button("SaveChart", QStringLiteral("Save Chart"), this);
  connect(copy, &QPushButton::clicked, this, &ChartPanel::CopyChart);
  connect(save, &QPushButton::clicked, this, &ChartPanel::SaveChart);

  // The same two commands on the chart's context menu.
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copyAction = new QAction(copy->text(), view_);
  auto* saveAction = new QAction(save->text(), view_);
  connect(copyAction, &QAction::triggered, this, &ChartPanel::CopyChart);
  connect(saveAction, &QAction::triggered, this, &ChartPanel::SaveChart);
  view_->addAction(copyAction);
  view_->addAction(saveAction);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(copy);
  buttons->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
}

QChart* ChartPanel::Chart() const { return view_->chart(); }

QImage ChartPanel::Picture() const {
  QImage picture(view_->size() * kPictureScale, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(kPictureScale);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  view_->render(&painter, QRectF(QPointF(0, 0), view_->size()), view_->viewport()->rect());
  return picture;
}

void ChartPanel::CopyChart() { QGuiApplication::clipboard()->setImage(Picture()); }

void ChartPanel::SaveChart() {
  const ChartTarget target = ChooseChartTarget(dialogs_, folder_ ? folder_() : std::string());
  if (!target.chosen) return;
  if (!WriteChart(FromCoreText(target.path))) dialogs_.Message(ChartSaveError());
}

bool ChartPanel::WriteChart(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator drawing;
    drawing.setOutputDevice(&file);
    drawing.setSize(view_->size());
    drawing.setViewBox(QRect(QPoint(0, 0), view_->size()));
    drawing.setTitle(view_->chart()->title());
    QPainter painter;
    if (!painter.begin(&drawing)) return false;
    view_->render(&painter, QRectF(QPointF(0, 0), view_->size()), view_->viewport()->rect());
    painter.end();
  } else if (!Picture().save(&file, "PNG")) {
    return false;
  }
  return file.commit();
}
