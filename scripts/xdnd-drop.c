/* Drops one file on an X window the way a file manager does (the XDND
 * protocol, version 5, type text/uri-list), so that a program under Wine gets
 * a real drop from outside.  Used by scripts/smoke-ui.sh.
 * Usage: xdnd-drop <window-id> <root-x> <root-y> <absolute-path>
 * Exits 0 once the target has sent XdndFinished, 1 on a refusal or timeout. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static Display *dpy;
static Window source, target;

static void send_client(Atom type, long l1, long l2, long l3, long l4) {
  XEvent e;
  memset(&e, 0, sizeof e);
  e.xclient.type = ClientMessage;
  e.xclient.display = dpy;
  e.xclient.window = target;
  e.xclient.message_type = type;
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)source;
  e.xclient.data.l[1] = l1;
  e.xclient.data.l[2] = l2;
  e.xclient.data.l[3] = l3;
  e.xclient.data.l[4] = l4;
  XSendEvent(dpy, target, False, NoEventMask, &e);
  XFlush(dpy);
}

int main(int argc, char **argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: xdnd-drop <window-id> <root-x> <root-y> <absolute-path>\n");
    return 2;
  }
  dpy = XOpenDisplay(NULL);
  if (!dpy) return 2;
  target = (Window)strtoul(argv[1], NULL, 0);
  const int x = atoi(argv[2]), y = atoi(argv[3]);
  char uri[4200];
  snprintf(uri, sizeof uri, "file://%s\r\n", argv[4]);

  Atom aware = XInternAtom(dpy, "XdndAware", False), enter = XInternAtom(dpy, "XdndEnter", False),
       position = XInternAtom(dpy, "XdndPosition", False), status = XInternAtom(dpy, "XdndStatus", False),
       drop = XInternAtom(dpy, "XdndDrop", False), finished = XInternAtom(dpy, "XdndFinished", False),
       leave = XInternAtom(dpy, "XdndLeave", False), selection = XInternAtom(dpy, "XdndSelection", False),
       copy = XInternAtom(dpy, "XdndActionCopy", False), uri_list = XInternAtom(dpy, "text/uri-list", False);

  Atom type;
  int format;
  unsigned long count, rest;
  unsigned char *version = NULL;
  if (XGetWindowProperty(dpy, target, aware, 0, 1, False, AnyPropertyType, &type, &format, &count, &rest,
                         &version) != Success || !version) {
    fprintf(stderr, "xdnd-drop: window 0x%lx does not accept drops (no XdndAware)\n", (unsigned long)target);
    return 1;
  }
  XFree(version);

  source = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(dpy, selection, source, CurrentTime);
  send_client(enter, 5L << 24, (long)uri_list, 0, 0);
  send_client(position, 0, ((long)x << 16) | (y & 0xFFFF), CurrentTime, (long)copy);

  const time_t give_up = time(NULL) + 20;
  int dropped = 0;
  while (time(NULL) < give_up) {
    if (!XPending(dpy)) {
      struct timespec pause = {0, 20000000};
      nanosleep(&pause, NULL);
      continue;
    }
    XEvent e;
    XNextEvent(dpy, &e);
    if (e.type == ClientMessage && e.xclient.message_type == status && !dropped) {
      if (!(e.xclient.data.l[1] & 1)) {
        fprintf(stderr, "xdnd-drop: the target refuses the drop here\n");
        send_client(leave, 0, 0, 0, 0);
        return 1;
      }
      send_client(drop, 0, CurrentTime, 0, 0);
      dropped = 1;
    } else if (e.type == SelectionRequest) {
      XSelectionRequestEvent *r = &e.xselectionrequest;
      XEvent reply;
      memset(&reply, 0, sizeof reply);
      reply.xselection.type = SelectionNotify;
      reply.xselection.display = dpy;
      reply.xselection.requestor = r->requestor;
      reply.xselection.selection = r->selection;
      reply.xselection.target = r->target;
      reply.xselection.time = r->time;
      reply.xselection.property = None;
      if (r->target == uri_list) {
        XChangeProperty(dpy, r->requestor, r->property, uri_list, 8, PropModeReplace, (unsigned char *)uri,
                        (int)strlen(uri));
        reply.xselection.property = r->property;
      }
      XSendEvent(dpy, r->requestor, False, NoEventMask, &reply);
      XFlush(dpy);
    } else if (e.type == ClientMessage && e.xclient.message_type == finished) {
      return 0;
    }
  }
  fprintf(stderr, "xdnd-drop: no answer from the target\n");
  return 1;
}
