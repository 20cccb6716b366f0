#include "host/qt/quilan.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <QToolTip>
#include <chrono>
#include <cmath>

#include "ephemeris/engine_error.h"
#include "host/core/row_details.h"
#include "host/core/table_export.h"
#include "host/core/terrestrial_time.h"
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

// The status line's text colour in a palette.
QString StatusStyle(TablePalette palette) {
  const PaletteColour c = PaletteStatusColour(palette);
  return QStringLiteral("color: %1").arg(QColor(c.red, c.green, c.blue).name());
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
  status_->setStyleSheet(StatusStyle(TablePalette::kDesigned));
  table_.Region = SystemConventions();
  // A client's text is drawn by SetRequest; typed text after a pause or on Enter.
  typing_pause_.setSingleShot(true);
  typing_pause_.setInterval(kTypingPauseMs);
  connect(&typing_pause_, &QTimer::timeout, this, [this] { DDEFTGT_Change(); });
  connect(DDEFTGT, &QLineEdit::textEdited, this, [this] {
    StopLive();
    typing_pause_.start();
  });
  connect(DDEFTGT, &QLineEdit::returnPressed, this, [this] {
    StopLive();
    typing_pause_.stop();
    DDEFTGT_Change();
  });
  DDEFTGT->installEventFilter(this);
  next_minute_.setSingleShot(true);
  next_minute_.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire seconds early
  connect(&next_minute_, &QTimer::timeout, this, [this] {
    if (live_) ShowNow();
  });
  table_.Engine.SetProblemReporter([this](const std::string& message) { status_line_.ReportDuringRequest(message); });

  // The designed size: the table above, the request box below it. It is also the least size
  // that shows the whole table, so a stored or dragged size cannot go below it.
  designed_table_ = surface_.TableSize();
  const int box_height = DDEFTGT->sizeHint().height();
  surface_.Resize(designed_table_);
  designed_size_ = QSize(designed_table_.width(), designed_table_.height() + box_height + 2 * kMargin);
  setMinimumSize(designed_size_);
  resize(designed_size_);
}

void Quilan::Form_Load() {
  // A second running copy is refused before any form exists: it finds the session bus name
  // taken and asks this copy to raise its window (see the automation server).
  setWindowTitle(QString::fromLatin1(kWindowCaption));
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  table_.LoadRows();
  SetPalette(StoredPalette());
  loaded_ = true;
  LoadWindowPosition(settings::FindProfile(kWindowPositionFile), *this);
}

void Quilan::Form_Unload() {
  StopLive();  // a window shown again later is a client's, or a person's that asks for now again
  SaveWindowPosition(settings::ProfilePath(kWindowPositionFile), *this);
  loaded_ = false;
}

void Quilan::StorePlace() {
  if (loaded_ && isVisible()) SaveWindowPosition(settings::ProfilePath(kWindowPositionFile), *this);
}

std::optional<QString> Quilan::SetRequest(const QString& request) {
  StopLive();
  typing_pause_.stop();
  if (DDEFTGT->text() != request) DDEFTGT->setText(request);
  DDEFTGT_Change();
  return request_problem_;
}

void Quilan::GoLive() {
  typing_pause_.stop();
  live_ = true;
  ShowNow();
}

void Quilan::ShowNow() {
  DDEFTGT->setText(QString::fromStdString(WriteRequest(TerrestrialNow(), table_.Region)));
  DDEFTGT_Change();
  next_minute_.start(MillisecondsToNextTerrestrialMinute(std::chrono::system_clock::now()));
}

void Quilan::StopLive() {
  if (!live_) return;
  live_ = false;
  next_minute_.stop();
  ShowStatus();
}

void Quilan::Step(RequestField field, int count) {
  StopLive();
  typing_pause_.stop();
  const std::string text = DDEFTGT->text().toStdString();
  const std::optional<SteppedRequest> stepped = StepRequest(text, field, count, table_.Region);
  if (!stepped) {
    DDEFTGT_Change();  // the status line says why the text cannot be stepped
    return;
  }
  DDEFTGT->setText(QString::fromStdString(stepped->text));
  DDEFTGT->setCursorPosition(static_cast<int>(QString::fromStdString(stepped->text.substr(0, stepped->cursor)).size()));
  DDEFTGT_Change();
}

QString Quilan::TableText() const { return QString::fromStdString(host::TableText(table_.Rows())); }

QString Quilan::TableJson() const { return QString::fromStdString(host::TableJson(table_.Rows()) + "\n"); }

void Quilan::CopyTable() const { QGuiApplication::clipboard()->setText(TableText()); }

void Quilan::CopyTableJson() const { QGuiApplication::clipboard()->setText(TableJson()); }

bool Quilan::SavePng(const QString& path) { return grab().save(path, "PNG"); }

void Quilan::SetPalette(TablePalette palette) {
  surface_.SetPalette(palette);
  status_->setStyleSheet(StatusStyle(palette));
  QPalette box = QGuiApplication::palette();
  if (palette == TablePalette::kDark) {
    box.setColor(QPalette::Base, QColor(48, 48, 48));
    box.setColor(QPalette::Text, QColor(240, 240, 240));
  }
  DDEFTGT->setPalette(box);
  Redraw();
}

void Quilan::ChoosePalette(TablePalette palette) {
  SetPalette(palette);
  if (!StorePalette(palette))
    ReportProblem(QStringLiteral("The palette could not be saved in %1").arg(kViewSettingsFile));
}

std::unique_ptr<QMenu> Quilan::MakeContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->addAction(QStringLiteral("&Copy table"), QKeySequence::Copy, this, [this] { CopyTable(); });
  menu->addAction(QStringLiteral("Copy as &JSON"), this, [this] { CopyTableJson(); });
  menu->addAction(QStringLiteral("&Save as PNG\u2026"), this, [this] {
    // Offered in the user's pictures folder where there is one, else in the home folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QDir(folder).exists()) folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save the table as PNG"),
                                                      QDir(folder).filePath(QStringLiteral("planets.png")),
                                                      QStringLiteral("PNG images (*.png)"));
    if (!path.isEmpty() && !SavePng(path)) ReportProblem(QStringLiteral("%1 could not be written").arg(path));
  });
  menu->addAction(QStringLiteral("&Now (follow the clock)"), QKeySequence(Qt::CTRL | Qt::Key_N), this,
                  [this] { GoLive(); });
  QMenu* palettes = menu->addMenu(QStringLiteral("&Palette"));
  auto* group = new QActionGroup(palettes);
  for (const TablePalette palette : kTablePalettes) {
    QAction* action = palettes->addAction(MenuNameOf(palette), this, [this, palette] { ChoosePalette(palette); });
    action->setCheckable(true);
    action->setChecked(palette == Palette());
    group->addAction(action);
  }
  return menu;
}

int Quilan::RowAt(int y) const {
  // The rows follow the request line, an empty line and the header.
  const int line = static_cast<int>(std::floor(y / surface_.LineSpacing()));
  return line >= 3 && line < 3 + kRowCount && y < DDEFTGT->y() ? line - 3 : -1;
}

QString Quilan::RowDetails(int row) const {
  if (!drawn_ || row < 0 || row >= kRowCount) return {};
  return QString::fromStdString(host::RowDetails(table_.Rows().rows[static_cast<std::size_t>(row)], table_.Region));
}

bool Quilan::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString details = RowDetails(RowAt(help->pos().y()));
    if (details.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), details, this);
    }
    return true;
  }
  return QWidget::event(event);
}

bool Quilan::eventFilter(QObject* watched, QEvent* event) {
  if (watched != DDEFTGT || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const auto cursor_field = [this] {
    const QString text = DDEFTGT->text();
    return FieldAt(text.toStdString(), static_cast<std::size_t>(text.left(DDEFTGT->cursorPosition()).toUtf8().size()),
                   table_.Region);
  };
  if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
    switch (key->key()) {
      case Qt::Key_Up: Step(cursor_field(), 1); return true;
      case Qt::Key_Down: Step(cursor_field(), -1); return true;
      case Qt::Key_PageUp: Step(RequestField::kDay, 1); return true;
      case Qt::Key_PageDown: Step(RequestField::kDay, -1); return true;
      default: break;
    }
  }
  if (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_N) {
    GoLive();
    return true;
  }
  if (key->matches(QKeySequence::Copy) && !DDEFTGT->hasSelectedText()) {
    CopyTable();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void Quilan::contextMenuEvent(QContextMenuEvent* event) { MakeContextMenu()->exec(event->globalPos()); }

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
  status_line_.Report(message.toStdString());
  ShowStatus();
}

void Quilan::DDEFTGT_Change() {
  status_line_.BeginRequest();
  try {
    table_.PrintAngles(DDEFTGT->text().toStdString(), surface_, true);
    drawn_ = true;
    request_problem_.reset();
    status_line_.RequestDrawn();
  } catch (const RequestError& e) {
    request_problem_ = QString::fromStdString(e.what());
  } catch (const ephemeris::EngineError& e) {
    request_problem_ =
        QStringLiteral("calculation failed for \"%1\": %2").arg(DDEFTGT->text(), QString::fromStdString(e.what()));
  }
  ShowStatus();
  repaint();  // on the screen before the request returns, as a form prints at once
}

void Quilan::Redraw() {
  if (drawn_)
    DrawTable(table_.Rows(), surface_, true);
  else
    surface_.Clear();
  update();
}

void Quilan::ShowStatus() {
  const StatusMessage status =
      status_line_.Text(request_problem_ ? std::optional(request_problem_->toStdString()) : std::nullopt, live_,
                        std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
  status_text_ = QString::fromStdString(status.text);
  status_->setText(status_->fontMetrics().elidedText(status_text_, Qt::ElideRight, status_->width()));
  status_->setToolTip(QString::fromStdString(status.details));
}

void Quilan::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), surface_.Background());
  painter.drawImage(0, 0, surface_.Image());
}

void Quilan::resizeEvent(QResizeEvent*) {
  const int box_height = DDEFTGT->sizeHint().height();
  const int box_width = DDEFTGT->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00 PM")) + 12;
  const int box_top = height() - box_height - kMargin;
  DDEFTGT->setGeometry(kMargin, box_top, box_width, box_height);
  status_->setGeometry(2 * kMargin + box_width, box_top, std::max(0, width() - 3 * kMargin - box_width), box_height);
  status_->setText(status_->fontMetrics().elidedText(status_text_, Qt::ElideRight, status_->width()));
  surface_.Resize(QSize(std::max(1, width()), std::max(1, box_top)));
  // The table's font follows the window: exactly the designed size at the designed size.
  const double scale = std::min(static_cast<double>(width()) / designed_table_.width(),
                                static_cast<double>(std::max(1, box_top)) / designed_table_.height());
  if (scale != scale_) {
    scale_ = scale;
    surface_.SetScale(scale);
    Redraw();
  }
}

void Quilan::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
  emit Closed();
}

}  // namespace orbelle::host
