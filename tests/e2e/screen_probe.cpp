// Looks at the real X screen for the end-to-end tests:
//   screen_probe empty-board X Y W H   checks that the main window at that
//                                      geometry shows the empty board
//   screen_probe close WINDOW          asks a window to close, as a window
//                                      manager does for its close box
//   screen_probe board CX CY           reads the game off the client area
//                                      whose top left is at CX, CY
//   screen_probe ping WINDOW MS        asks the window's program for an
//                                      answer, as a window manager checks
//                                      that a program is alive
// On success empty-board prints "client_top=N", the height of the menu bar,
// so that the caller can aim at the menu.
#include <poll.h>
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/board.h"

namespace {

constexpr int kClientWidth = 500;
constexpr int kClientHeight = 400;
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
// Disc colours of seats 1..4.
const QRgb kSeatColors[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0),
                            qRgb(255, 255, 0)};
// Top of each seat's status line in the client area; the line's dark text
// starts at x 430 and, widened to fit, ends before the group box's frame.
constexpr int kStatusLineTops[] = {110, 193, 275, 358};
constexpr int kStatusLineLeft = 430;
constexpr int kStatusLineRight = 490;
constexpr int kStatusLineHeight = 15;

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
  const QRgb face = window.pixel(49, top + 49);
  if (top < 0 || window.width() != kClientWidth ||
      window.height() - top != kClientHeight || face == kBlack ||
      face == kGreen) {
    std::fprintf(stderr, "no %dx%d board with the face colour beside it\n",
                 kClientWidth, kClientHeight);
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

// What a player sees of the game: the discs (in the command-line tool's
// board text), which status lines show, the seats that can move ("?" while
// something covers the board), and, when exactly one line shows, that
// seat's legal cells as "column,row".
int ReadGame(const QImage& client) {
  std::string text;
  qf::Cells cells{};
  bool known = true;
  for (int row = 0; row < qf::kBoardSize; ++row) {
    for (int column = 0; column < qf::kBoardSize; ++column) {
      const QRgb centre = client.pixel(column * 50 + 24, row * 50 + 24);
      char cell = '?';
      if (centre == kGreen) cell = '.';
      for (int seat = 1; seat <= 4; ++seat) {
        if (centre == kSeatColors[seat - 1])
          cell = static_cast<char>('0' + seat);
      }
      if (cell == '?') known = false;
      if (cell >= '1' && cell <= '4')
        cells[qf::CellIndex(column, row)] = cell - '0';
      text += cell;
    }
  }
  std::string lines;
  int shown_seat = 0;
  for (int seat = 1; seat <= 4; ++seat) {
    bool shown = false;
    const int top = kStatusLineTops[seat - 1];
    for (int y = top; y < top + kStatusLineHeight && !shown; ++y) {
      for (int x = kStatusLineLeft; x < kStatusLineRight && !shown; ++x) {
        shown = qGray(client.pixel(x, y)) < 100;
      }
    }
    lines += shown ? '1' : '0';
    if (shown) shown_seat = shown_seat == 0 ? seat : -1;
  }
  qf::Board board;
  board.SetPosition(cells, 4, 0);
  std::string movers = known ? "" : "?";
  for (int seat = 1; seat <= 4 && known; ++seat) {
    if (board.HasLegalMove(seat) == 0) continue;
    if (!movers.empty()) movers += ' ';
    movers += static_cast<char>('0' + seat);
  }
  std::string legal;
  if (shown_seat > 0 && known) {
    for (int column = 0; column < qf::kBoardSize; ++column) {
      for (int row = 0; row < qf::kBoardSize; ++row) {
        if (board.IsLegalMove(shown_seat, column, row) == 0) continue;
        if (!legal.empty()) legal += ' ';
        legal += std::to_string(column) + "," + std::to_string(row);
      }
    }
  }
  std::printf("board=%s\nlines=%s\nmovers='%s'\nseat=%d\nlegal='%s'\n",
              text.c_str(), lines.c_str(), movers.c_str(),
              shown_seat < 0 ? 0 : shown_seat, legal.c_str());
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

// Sends the window the ping a window manager sends and waits for the
// program's answer on the root window. Qt answers from its event handling,
// so the answer shows that the program handles events. A connection of its
// own keeps Qt's event reader from taking the answer.
int Ping(xcb_window_t window, int limit_ms) {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return 2;
  const xcb_window_t root =
      xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  // Qt sends its answer to those that watch the root window itself.
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  const xcb_atom_t protocols = InternAtom(connection, "WM_PROTOCOLS");
  const xcb_atom_t ping = InternAtom(connection, "_NET_WM_PING");
  xcb_client_message_event_t event;
  std::memset(&event, 0, sizeof(event));
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = protocols;
  event.data.data32[0] = ping;
  event.data.data32[1] = XCB_CURRENT_TIME;
  event.data.data32[2] = window;
  QElapsedTimer clock;
  clock.start();
  xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(connection);
  bool answered = false;
  while (!answered && clock.elapsed() < limit_ms) {
    pollfd fd = {xcb_get_file_descriptor(connection), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(limit_ms - clock.elapsed()) + 1);
    while (xcb_generic_event_t* next = xcb_poll_for_event(connection)) {
      auto* answer = reinterpret_cast<xcb_client_message_event_t*>(next);
      answered = answered ||
                 ((next->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
                  answer->type == protocols && answer->data.data32[0] == ping &&
                  answer->data.data32[2] == window);
      std::free(next);
    }
    if (xcb_connection_has_error(connection)) break;
  }
  const qint64 elapsed = clock.elapsed();
  xcb_disconnect(connection);
  if (!answered) {
    std::fprintf(stderr, "no answer within %d ms\n", limit_ms);
    return 1;
  }
  std::printf("%lld\n", static_cast<long long>(elapsed));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  auto number = [&](int i) { return args.value(i).toInt(); };
  if (args.size() == 6 && args[1] == "empty-board") {
    return CheckEmptyBoard(Grab(number(2), number(3), number(4), number(5)));
  }
  if (args.size() == 3 && args[1] == "close") {
    return RequestClose(static_cast<xcb_window_t>(args[2].toUInt()));
  }
  if (args.size() == 4 && args[1] == "board") {
    return ReadGame(Grab(number(2), number(3), 500, 400));
  }
  if (args.size() == 4 && args[1] == "ping") {
    return Ping(static_cast<xcb_window_t>(args[2].toUInt()), number(3));
  }
  std::fprintf(stderr, "usage: see the top of screen_probe.cpp\n");
  return 2;
}
