#include "host/qt/window_position.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <charconv>
#include <cmath>

#include "settings/profile_file.h"
#include "settings/profile_number.h"

namespace orbelle::host {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// Twips per pixel of the screen that shows the form (15 at 96 dots per inch).
struct Twips {
  explicit Twips(const QWidget& form) {
    const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (screen) {
      per_pixel_x = kTwipsPerInch / screen->logicalDotsPerInchX();
      per_pixel_y = kTwipsPerInch / screen->logicalDotsPerInchY();
      screen_width = static_cast<float>(screen->geometry().width() * per_pixel_x);
      screen_height = static_cast<float>(screen->geometry().height() * per_pixel_y);
      available = screen->availableGeometry();
    }
  }
  float X(int pixels) const { return static_cast<float>(pixels * per_pixel_x); }
  float Y(int pixels) const { return static_cast<float>(pixels * per_pixel_y); }
  int PixelsX(double twips) const { return static_cast<int>(std::lround(twips / per_pixel_x)); }
  int PixelsY(double twips) const { return static_cast<int>(std::lround(twips / per_pixel_y)); }

  double per_pixel_x = 15.0, per_pixel_y = 15.0;
  float screen_width = 0, screen_height = 0;
  QRect available;  // the screen less its panels, in pixels
};

// The outer window in twips, as a form reports its Left, Top, Width and Height.
struct OuterTwips {
  float left, top, width, height;
};

OuterTwips Outer(const QWidget& form, const Twips& t) {
  const QRect frame = form.frameGeometry();
  return {t.X(frame.x()), t.Y(frame.y()), t.X(frame.width()), t.Y(frame.height())};
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

// Reads one key into a 256-character buffer: the returned count and the number at its start,
// rounded to single (an overflow reads as 0, which applies nothing).
struct StoredValue {
  std::size_t n;
  float value;
};

StoredValue Read(const std::filesystem::path& file, const char* key) {
  const std::string text = settings::GetPrivateProfileString("Size", key, "0", 256, file);
  return {text.size(), settings::RoundToSingle(settings::LeadingNumber(text)).value_or(0.0f)};
}

// The decimal text of a single with a leading blank, as BASIC's Str$ writes a positive number.
std::string StoredText(float value) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  return " " + std::string(buf, result.ptr);
}

}  // namespace

void CentreWindow(QWidget& form) {
  const Twips t(form);
  const OuterTwips o = Outer(form, t);
  const float left = t.screen_width / 2 - o.width / 2;
  const float top = t.screen_height / 2 - o.height / 2;
  form.move(t.PixelsX(left), t.PixelsY(top));
}

void LoadWindowPosition(const std::filesystem::path& file, QWidget& form) {
  const bool fixed = FixedBorder(form);
  const Twips t(form);

  // Sizes beyond the available screen area are cut to it.
  const StoredValue height = Read(file, "Height");
  if (height.n > 0 && !fixed && height.value > 0) {
    SetOuterSize(form, form.frameGeometry().width(), std::min(t.PixelsY(std::min<double>(height.value, 1e9)),
                                                              t.available.height()));
  }
  const StoredValue width = Read(file, "Width");
  if (width.n > 0 && !fixed && width.value > 0) {
    SetOuterSize(form, std::min(t.PixelsX(std::min<double>(width.value, 1e9)), t.available.width()),
                 form.frameGeometry().height());
  }

  const StoredValue left = Read(file, "Left");
  if (left.n == 0) {
    CentreWindow(form);
  } else {
    if (left.value > 0) form.move(t.PixelsX(std::min<double>(left.value, 1e9)), form.frameGeometry().y());
    const OuterTwips o = Outer(form, t);
    if (o.left > t.screen_width - o.width) {
      CentreWindow(form);
      return;
    }
  }
  const StoredValue top = Read(file, "Top");
  if (top.n > 0 && top.value > 0) form.move(form.frameGeometry().x(), t.PixelsY(std::min<double>(top.value, 1e9)));
  // A window wholly below the screen could not be reached: it is centred instead.
  if (!t.available.isEmpty() && !form.frameGeometry().intersects(t.available)) CentreWindow(form);
}

void SaveWindowPosition(const std::filesystem::path& file, QWidget& form) {
  if (form.isMinimized()) form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
  const OuterTwips o = Outer(form, Twips(form));
  const std::pair<const char*, float> values[] = {
      {"Height", o.height}, {"Width", o.width}, {"Left", o.left}, {"Top", o.top}};
  // The four keys in one replacement of the file, so that it never holds a mix of two places.
  std::vector<std::pair<std::string, std::string>> stored;
  for (const auto& [key, value] : values) {
    if (value >= 0) stored.emplace_back(key, StoredText(value));
  }
  settings::WritePrivateProfileStrings("Size", stored, file);
}

}  // namespace orbelle::host
