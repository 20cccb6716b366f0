#include "host/qt/window_position.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "host/core/window_placement.h"
#include "settings/profile_file.h"

namespace orbelle::host {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// The screen that shows the form, in pixels and twips per pixel (15 at 96 dots per inch).
PlacementScreen ScreenOf(const QWidget& form) {
  PlacementScreen s;
  const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
  if (screen) {
    s.twips_x = kTwipsPerInch / screen->logicalDotsPerInchX();
    s.twips_y = kTwipsPerInch / screen->logicalDotsPerInchY();
    s.width = screen->geometry().width();
    s.height = screen->geometry().height();
    const QRect available = screen->availableGeometry();  // the screen less its panels
    s.available = {available.x(), available.y(), available.width(), available.height()};
  }
  return s;
}

PixelRect Outer(const QWidget& form) {
  const QRect frame = form.frameGeometry();
  return {frame.x(), frame.y(), frame.width(), frame.height()};
}

// Frame sizes that the window system adds around the client area.
QSize FrameExtra(const QWidget& form) { return form.frameGeometry().size() - form.geometry().size(); }

// A window manager frames a window only once it is shown, and until then the window's outer
// size is its inner size. An outer size restored before that is kept by this watcher: the
// first time the window is seen with its frame, the inner size is set so that the outer size
// is the one restored. Without it the frame was added at every start.
class OuterSizeKeeper : public QObject {
 public:
  static constexpr const char* kName = "OuterSizeKeeper";

  OuterSizeKeeper(QWidget& form, QSize outer) : QObject(&form), form_(form), outer_(outer) {
    setObjectName(QString::fromLatin1(kName));
    form.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) {
      deleteLater();
    } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show) &&
               !FrameExtra(form_).isNull()) {
      const QSize inner = outer_ - FrameExtra(form_);
      form_.removeEventFilter(this);
      deleteLater();
      form_.resize(std::max(1, inner.width()), std::max(1, inner.height()));
    }
    return false;
  }

 private:
  QWidget& form_;
  QSize outer_;
};

void SetOuterSize(QWidget& form, int width_px, int height_px) {
  const QSize extra = FrameExtra(form);
  form.resize(std::max(1, width_px - extra.width()), std::max(1, height_px - extra.height()));
  for (QObject* earlier :
       form.findChildren<QObject*>(QString::fromLatin1(OuterSizeKeeper::kName), Qt::FindDirectChildrenOnly)) {
    delete earlier;
  }
  if (extra.isNull() && !form.isVisible()) new OuterSizeKeeper(form, QSize(width_px, height_px));
}

bool FixedBorder(const QWidget& form) { return form.minimumSize() == form.maximumSize(); }

StoredValue Read(const std::filesystem::path& file, const char* key) {
  return ReadStoredValue(settings::GetPrivateProfileString("Size", key, kMissingPlacementValue, 256, file));
}

}  // namespace

void CentreWindow(QWidget& form) {
  const PixelRect centred = Centred(Outer(form), ScreenOf(form));
  form.move(centred.left, centred.top);
}

void LoadWindowPosition(const std::filesystem::path& file, QWidget& form) {
  const StoredPlacement stored{Read(file, "Height"), Read(file, "Width"), Read(file, "Left"), Read(file, "Top")};
  // The form's minimum size (the least that shows all of it) inside its frame.
  const QSize inner = form.minimumSize().expandedTo(QSize(1, 1)) + FrameExtra(form);
  const PixelRect smallest{0, 0, inner.width(), inner.height()};
  const RestoredPlacement placed = RestorePlacement(stored, Outer(form), !FixedBorder(form), smallest, ScreenOf(form));
  if (placed.size_applied) SetOuterSize(form, placed.outer.width, placed.outer.height);
  if (placed.place_applied) form.move(placed.outer.left, placed.outer.top);
}

void SaveWindowPosition(const std::filesystem::path& file, QWidget& form) {
  if (form.isMinimized()) form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
  // The four keys in one replacement of the file, so that it never holds a mix of two places.
  settings::WritePrivateProfileStrings("Size", SavedPlacement(Outer(form), ScreenOf(form)), file);
}

}  // namespace orbelle::host
