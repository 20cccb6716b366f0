// The form Quilan: the "Planets Position" window that shows the angles table.
//
// The table is printed on an image (ImageSurface) that the window paints; the request box
// DDEFTGT at the bottom left receives request texts, and every change of its text redraws the
// table. A status line beside it shows why the last request could not be drawn, or else the
// engine's reports of unusable ephemeris files for the table shown, without interrupting
// anything; all reports are in its tool tip.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <optional>

#include "host/core/angles_table.h"
#include "host/qt/image_surface.h"

namespace orbelle::host {

inline constexpr const char* kWindowCaption = "Planets Position";
// The longest request text taken, in characters. A date and a time in any regional notation
// need a few dozen; a longer text is refused before it is read (the request box takes no more).
inline constexpr int kLongestRequest = 256;

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
  // Returns why the table could not be drawn; the previous table then stays.
  std::optional<QString> SetRequest(const QString& request);

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
  QString StatusText() const { return status_->text(); }
  // Every report behind the status line, one per line.
  QString StatusDetails() const { return status_->toolTip(); }

 signals:
  // The user closed the window (after its position was saved).
  void Closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void DDEFTGT_Change();
  void Form_Unload();
  void ShowStatus();

  AnglesTable table_;
  ImageSurface surface_;
  QLineEdit* DDEFTGT;
  QLabel* status_;
  bool loaded_ = false;
  std::optional<QString> request_problem_;
  QStringList problems_;         // reports of the last request drawn (unusable files), or of the load
  QStringList request_reports_;  // the engine's reports during the request being drawn
};

}  // namespace orbelle::host
