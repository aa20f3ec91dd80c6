// Looks at the real X screen for the end-to-end tests:
//   screen_probe save FILE [X Y W H]   writes the screen (or a part) as PNG
//   screen_probe empty-board X Y W H   checks that the main window at that
//                                      geometry shows the empty board
//   screen_probe close WINDOW          asks a window to close, as a window
//                                      manager does for its close box
// On success empty-board prints "client_top=N", the height of the menu bar,
// so that the caller can aim at the menu.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kClientWidth = 500;
constexpr int kClientHeight = 400;
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);

QImage Grab(int x, int y, int w, int h) {
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, x, y, w, h)
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// What the client area of a fresh window must show at (x, y): the empty
// board's outlines and cells, and the face colour everywhere else.
QRgb ExpectedEmptyClient(int x, int y, QRgb face) {
  if (x >= 400 || y >= 400) return face;
  const int cx = x % 50;
  const int cy = y % 50;
  if (cx == 49 || cy == 49) return face;
  if (cx == 0 || cx == 48 || cy == 0 || cy == 48) return kBlack;
  return kGreen;
}

int CheckEmptyBoard(const QImage& window) {
  // The client area starts under the menu bar, at the board's first outline.
  int top = -1;
  for (int y = 0; y + 1 < window.height(); ++y) {
    if (window.pixel(0, y) == kBlack && window.pixel(1, y + 1) == kGreen) {
      top = y;
      break;
    }
  }
  if (top < 0) {
    std::fprintf(stderr, "no board found in the window\n");
    return 1;
  }
  if (window.width() != kClientWidth ||
      window.height() - top != kClientHeight) {
    std::fprintf(stderr, "client area %dx%d, expected %dx%d\n", window.width(),
                 window.height() - top, kClientWidth, kClientHeight);
    return 1;
  }
  const QRgb face = window.pixel(49, top + 49);
  if (face == kBlack || face == kGreen) {
    std::fprintf(stderr, "no face colour between the cells\n");
    return 1;
  }
  int wrong = 0;
  for (int y = 0; y < kClientHeight; ++y) {
    for (int x = 0; x < kClientWidth; ++x) {
      const QRgb seen = window.pixel(x, top + y);
      const QRgb expected = ExpectedEmptyClient(x, y, face);
      if (seen != expected && wrong++ < 5) {
        std::fprintf(stderr, "client (%d,%d): #%06x, expected #%06x\n", x, y,
                     seen & 0xffffff, expected & 0xffffff);
      }
    }
  }
  if (wrong > 0) {
    std::fprintf(stderr, "%d pixels differ from the empty board\n", wrong);
    return 1;
  }
  std::printf("client_top=%d\n", top);
  return 0;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)),
                      name),
      nullptr);
  const xcb_atom_t atom =
      reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

int RequestClose(xcb_window_t window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) return 1;
  xcb_connection_t* connection = x11->connection();
  xcb_client_message_event_t event;
  std::memset(&event, 0, sizeof(event));
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = InternAtom(connection, "WM_PROTOCOLS");
  event.data.data32[0] = InternAtom(connection, "WM_DELETE_WINDOW");
  event.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(connection);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  auto number = [&](int i) { return args.value(i).toInt(); };
  if (args.size() >= 3 && args[1] == "save") {
    const QImage image = args.size() >= 7
                             ? Grab(number(3), number(4), number(5), number(6))
                             : Grab(0, 0, -1, -1);
    return image.save(args[2], "PNG") ? 0 : 1;
  }
  if (args.size() == 6 && args[1] == "empty-board") {
    return CheckEmptyBoard(Grab(number(2), number(3), number(4), number(5)));
  }
  if (args.size() == 3 && args[1] == "close") {
    return RequestClose(static_cast<xcb_window_t>(args[2].toUInt()));
  }
  std::fprintf(stderr,
               "usage: screen_probe save FILE [X Y W H] | empty-board X Y W "
               "H | close WINDOW\n");
  return 2;
}
