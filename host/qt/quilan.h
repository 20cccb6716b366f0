// The form Quilan: the "Planets Position" window that shows the angles table.
//
// The table is printed on an image (ImageSurface) that the window paints; the request box
// DDEFTGT at the bottom left receives request texts. A client's text is drawn at once; typed
// text when the typing pauses for half a second or on Enter, so that a date half typed
// ("07/04/19" on the way to "07/04/1985") is not drawn. A status line beside it shows why
// the last request could not be drawn, or else the engine's reports of unusable ephemeris
// files for the table shown, or that the table shows now, without interrupting anything; it
// is elided to its width, and its whole text and all reports are in its tool tip.
//
// Opened by a person, the window shows now and follows the clock once a minute (live) until
// a client assigns a request or the person types or steps. In the request box Up and Down
// step the field under the cursor, Page Up and Page Down a day, Ctrl+N goes back to now, and
// Ctrl+C without a selection copies the table as `orbelle-angles table` prints it. The context
// menu copies the table as text or JSON, saves the window as PNG and chooses the palette. A
// row's tool tip gives its latitudes, distances and daily motions. The table's font follows
// the window's size; the window is never smaller than the table at its designed size.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "host/core/angles_table.h"
#include "host/core/request_stepping.h"
#include "host/core/status_line.h"
#include "host/qt/image_surface.h"

namespace orbelle::host {

inline constexpr const char* kWindowCaption = "Planets Position";
// The longest request text taken, in characters. A date and a time in any regional notation
// need a few dozen; a longer text is refused before it is read (the request box takes no more).
inline constexpr int kLongestRequest = 256;
// The pause in typing after which the request box's text is drawn.
inline constexpr int kTypingPauseMs = 500;

class Quilan : public QWidget {
  Q_OBJECT

 public:
  explicit Quilan(QWidget* parent = nullptr);

  // The load step: caption, kept above other windows, the row table, the stored size and
  // place. Runs before the form is first shown or its request box first touched, and again
  // when the form is used after the window was closed.
  void Form_Load();
  bool Loaded() const { return loaded_; }

  // Puts `request` into the request box and draws its table. The table is drawn again even when the text is unchanged.
  // Returns why the table could not be drawn; the previous table then stays. Ends live mode.
  std::optional<QString> SetRequest(const QString& request);

  // Shows now (the clock's UTC carried to TT) and follows the clock once a minute, until a
  // request is set, typed or stepped.
  void GoLive();
  bool Live() const { return live_; }

  // The table last drawn as `orbelle-angles table` prints it, and as its JSON.
  QString TableText() const;
  QString TableJson() const;
  // Puts the table's text (or JSON) on the clipboard.
  void CopyTable() const;
  void CopyTableJson() const;
  // Saves the window as it is drawn as a PNG image; false when the file could not be written.
  bool SavePng(const QString& path);
  // Draws the table in `palette`; Choose also remembers it for the next start.
  void SetPalette(TablePalette palette);
  void ChoosePalette(TablePalette palette);
  TablePalette Palette() const { return surface_.Palette(); }
  // The context menu of the window (owned by the caller).
  std::unique_ptr<QMenu> MakeContextMenu();
  // The tool tip of row `row` (0 the Sun .. 10 the node): latitude, distance and daily motion,
  // geocentric and heliocentric, and "retrograde" when the geocentric motion is negative.
  QString RowDetails(int row) const;
  // The row under the window's point `y`, or -1.
  int RowAt(int y) const;
  // The window's size with the table at its designed size: the smallest it can be.
  QSize DesignedSize() const { return designed_size_; }
  double TableScale() const { return scale_; }

  // Shows the window, loading it first when needed.
  void ShowForm();
  // Stores the place and size as closing the window does, when it is shown: for a process
  // that ends without a close.
  void StorePlace();
  // Brings the shown window back from the minimised state and to the front.
  void RestoreAndRaise();

  // Shows a report in the status line until the next request is drawn.
  void ReportProblem(const QString& message);

  AnglesTable& Table() { return table_; }
  const ImageSurface& Surface() const { return surface_; }
  QLineEdit* RequestBox() const { return DDEFTGT; }
  // The status line's whole message (the line itself may show it elided).
  QString StatusText() const { return status_text_; }
  // Every report behind the status line, one per line.
  QString StatusDetails() const { return status_->toolTip(); }

 signals:
  // The user closed the window (after its position was saved).
  void Closed();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void DDEFTGT_Change();
  void Form_Unload();
  void ShowStatus();
  void ShowNow();
  void StopLive();
  void Step(RequestField field, int count);
  void Redraw();

  AnglesTable table_;
  ImageSurface surface_;
  QLineEdit* DDEFTGT;
  QLabel* status_;
  bool loaded_ = false;
  bool live_ = false;
  bool drawn_ = false;  // a table has been drawn
  QTimer typing_pause_;
  QTimer next_minute_;  // live: the next whole minute of TT
  QString status_text_;
  QSize designed_table_, designed_size_;
  double scale_ = 1.0;
  std::optional<QString> request_problem_;
  StatusLine status_line_;
};

}  // namespace orbelle::host
