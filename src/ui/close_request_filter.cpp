#include "ui/close_request_filter.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

namespace qf {
namespace {

uint32_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(
      connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return 0;
  const uint32_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

CloseRequestFilter::CloseRequestFilter(QWidget& window) : window_(window) {
  // Other window systems may answer for X11 too, with no X connection
  // behind it: only the X11 one is asked.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (connection == nullptr || xcb_connection_has_error(connection)) return;
  wm_protocols_ = InternAtom(connection, "WM_PROTOCOLS");
  wm_delete_window_ = InternAtom(connection, "WM_DELETE_WINDOW");
  if (wm_protocols_ == 0 || wm_delete_window_ == 0) return;
  qGuiApp->installNativeEventFilter(this);
  installed_ = true;
}

CloseRequestFilter::~CloseRequestFilter() {
  if (installed_) qGuiApp->removeNativeEventFilter(this);
}

bool CloseRequestFilter::nativeEventFilter(const QByteArray& event_type,
                                           void* message, qintptr*) {
  if (event_type != "xcb_generic_event_t") return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
  auto* client = reinterpret_cast<xcb_client_message_event_t*>(event);
  if (client->format != 32 || client->type != wm_protocols_ ||
      client->data.data32[0] != wm_delete_window_ ||
      client->window != static_cast<xcb_window_t>(window_.winId())) {
    return false;
  }
  // Closing the widget directly reaches its close handling even while a
  // modal window blocks it.
  window_.close();
  return true;
}

}  // namespace qf
