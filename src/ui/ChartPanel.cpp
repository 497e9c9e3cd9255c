#include "ui/ChartPanel.h"

#include <QAction>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>

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

ChartPanel::ChartPanel(Dialogs& dialogs,
                       std::function<std::string()> folder,
                       int charts,
                       QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), folder_(std::move(folder)) {
  auto* copy = Button("CopyChart", QStringLiteral("Copy Chart"), this);
  auto* save = Button("SaveChart", QStringLiteral("Save Chart"), this);
  connect(copy, &QPushButton::clicked, this, &ChartPanel::CopyChart);
  connect(save, &QPushButton::clicked, this, &ChartPanel::SaveChart);

  area_ = new QWidget(this);
  area_->setObjectName(QStringLiteral("ChartArea"));
  area_->setAutoFillBackground(true);
  area_->setBackgroundRole(QPalette::Base);
  auto* areaLayout = new QVBoxLayout(area_);
  areaLayout->setContentsMargins(0, 0, 0, 0);
  areaLayout->setSpacing(0);
  auto* charted = new QHBoxLayout;
  charted->setContentsMargins(0, 0, 0, 0);
  charted->setSpacing(0);
  areaLayout->addLayout(charted, 1);
  legend_ = new QLabel(area_);
  legend_->setObjectName(QStringLiteral("ChartLegend"));
  legend_->setWordWrap(true);
  legend_->setAlignment(Qt::AlignCenter);
  legend_->setTextFormat(Qt::RichText);
  legend_->setContentsMargins(4, 2, 4, 4);
  areaLayout->addWidget(legend_);
  for (int i = 0; i < std::max(charts, 1); ++i) {
    auto* view = new QChartView(new QChart, area_);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(240, 200);
    view->setFrameShape(QFrame::NoFrame);
    // The same two commands on the chart's context menu.
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copyAction = new QAction(copy->text(), view);
    auto* saveAction = new QAction(save->text(), view);
    connect(copyAction, &QAction::triggered, this, &ChartPanel::CopyChart);
    connect(saveAction, &QAction::triggered, this, &ChartPanel::SaveChart);
    view->addAction(copyAction);
    view->addAction(saveAction);
    charted->addWidget(view);
    views_ << view;
  }

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(copy);
  buttons->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area_, 1);
  layout->addLayout(buttons);
}

QChart* ChartPanel::Chart(int chart) const { return View(chart)->chart(); }

// Entries break between one another, never inside one.
void ChartPanel::ShowLegend() {
  QStringList seen;
  QStringList entries;
  for (QChartView* view : views_) {
    QLegend* legend = view->chart()->legend();
    legend->setVisible(false);
    for (QLegendMarker* marker : legend->markers()) {
      const QString label = marker->label();
      const QVariant inLegend = marker->series()->property(kInLegend);
      if (label.isEmpty() || seen.contains(label) || (inLegend.isValid() && !inLegend.toBool()))
        continue;
      seen << label;
      const QColor color =
          marker->brush().style() == Qt::NoBrush ? marker->pen().color() : marker->brush().color();
      entries << QStringLiteral("<span style=\"color:%1\">&#9632;</span>&nbsp;%2")
                     .arg(color.name(QColor::HexArgb),
                          label.toHtmlEscaped().replace(' ', QStringLiteral("&nbsp;")));
    }
  }
  legend_->setText(entries.join(QStringLiteral(" &nbsp; ")));
  legend_->setVisible(!entries.isEmpty());
}

QImage ChartPanel::Picture() const {
  QImage picture(area_->size() * kPictureScale, QImage::Format_ARGB32_Premultiplied);
  picture.setDevicePixelRatio(kPictureScale);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Draw(painter);
  return picture;
}

// Each chart where it stands in the area, drawn from its scene so an SVG
// drawing keeps lines and text.
void ChartPanel::Draw(QPainter& painter) const {
  for (QChartView* view : views_) {
    const QRect at(view->mapTo(area_, QPoint(0, 0)), view->size());
    view->render(&painter, at, view->viewport()->rect());
  }
  if (legend_->isVisible()) {
    painter.save();
    painter.translate(legend_->mapTo(area_, QPoint(0, 0)));
    legend_->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
  }
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
    drawing.setSize(area_->size());
    drawing.setViewBox(QRect(QPoint(0, 0), area_->size()));
    QPainter painter;
    if (!painter.begin(&drawing)) return false;
    Draw(painter);
    painter.end();
  } else if (!Picture().save(&file, "PNG")) {
    return false;
  }
  return file.commit();
}
