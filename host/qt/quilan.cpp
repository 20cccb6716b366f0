#include "host/qt/quilan.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "ephemeris/engine_error.h"
#include "host/qt/qt_regional_conventions.h"
#include "host/qt/window_position.h"
#include "settings/profile_file.h"
#include "settings/profile_search.h"

namespace orbelle::host {
namespace {

constexpr double kRequestBoxPoints = 8.25;
constexpr int kMargin = 4;

double ScreenDotsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

Quilan::Quilan(QWidget* parent)
    : QWidget(parent),
      surface_(QSize(1, 1), ScreenDotsPerInch()),
      DDEFTGT(new QLineEdit(this)),
      status_(new QLabel(this)) {
  setObjectName(QStringLiteral("Quilan"));
  DDEFTGT->setObjectName(QStringLiteral("DDEFTGT"));
  QFont box_font = TableFont(kRequestBoxPoints);
  box_font.setBold(true);
  DDEFTGT->setFont(box_font);
  DDEFTGT->setMaxLength(kLongestRequest);
  status_->setFont(TableFont(kRequestBoxPoints));
  status_->setStyleSheet(QStringLiteral("color: #800000"));
  table_.Region = SystemConventions();
  connect(DDEFTGT, &QLineEdit::textChanged, this, [this] { DDEFTGT_Change(); });
  table_.Engine.SetProblemReporter([this](const std::string& message) {
    const QString report = QString::fromStdString(message);
    if (!request_reports_.contains(report)) request_reports_ << report;
  });

  // The designed size: the table above, the request box below it. It is also the least size
  // that shows the whole table, so a stored or dragged size cannot go below it.
  const QSize table = surface_.TableSize();
  const int box_height = DDEFTGT->sizeHint().height();
  surface_.Resize(table);
  setMinimumSize(table.width(), table.height() + box_height + 2 * kMargin);
  resize(minimumSize());
}

void Quilan::Form_Load() {
  // A second running copy is refused before any form exists: it finds the session bus name
  // taken and asks this copy to raise its window (see the automation server).
  setWindowTitle(QString::fromLatin1(kWindowCaption));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  table_.LoadRows();
  loaded_ = true;
  LoadWindowPosition(settings::FindProfile(kWindowPositionFile), *this);
}

void Quilan::Form_Unload() {
  SaveWindowPosition(settings::ProfilePath(kWindowPositionFile), *this);
  loaded_ = false;
}

std::optional<QString> Quilan::SetRequest(const QString& request) {
  if (DDEFTGT->text() == request) {
    DDEFTGT_Change();
  } else {
    DDEFTGT->setText(request);
  }
  return request_problem_;
}

void Quilan::ShowForm() {
  if (!loaded_) Form_Load();
  show();
}

void Quilan::RestoreAndRaise() {
  if (!isVisible()) return;
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  raise();
  activateWindow();
}

void Quilan::ReportProblem(const QString& message) {
  if (!problems_.contains(message)) problems_ << message;
  ShowStatus();
}

void Quilan::DDEFTGT_Change() {
  request_reports_.clear();
  try {
    table_.PrintAngles(DDEFTGT->text().toStdString(), surface_);
    request_problem_.reset();
    problems_ = request_reports_;
  } catch (const RequestError& e) {
    request_problem_ = QString::fromStdString(e.what());
  } catch (const ephemeris::EngineError& e) {
    request_problem_ =
        QStringLiteral("Calculation failed for \"%1\": %2").arg(DDEFTGT->text(), QString::fromStdString(e.what()));
  }
  ShowStatus();
  repaint();  // on the screen before the request returns, as a form prints at once
}

void Quilan::ShowStatus() {
  QString text = problems_.value(0);
  if (problems_.size() > 1) text += QStringLiteral(" (and %1 more)").arg(problems_.size() - 1);
  status_->setText(request_problem_.value_or(text));
  status_->setToolTip(
      ((request_problem_ ? QStringList{*request_problem_} : QStringList()) + problems_).join(QLatin1Char('\n')));
}

void Quilan::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ImageSurface::Background());
  painter.drawImage(0, 0, surface_.Image());
}

void Quilan::resizeEvent(QResizeEvent*) {
  const int box_height = DDEFTGT->sizeHint().height();
  const int box_width = DDEFTGT->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00 PM")) + 12;
  const int box_top = height() - box_height - kMargin;
  DDEFTGT->setGeometry(kMargin, box_top, box_width, box_height);
  status_->setGeometry(2 * kMargin + box_width, box_top, std::max(0, width() - 3 * kMargin - box_width), box_height);
  surface_.Resize(QSize(std::max(1, width()), std::max(1, box_top)));
}

void Quilan::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
  emit Closed();
}

}  // namespace orbelle::host
