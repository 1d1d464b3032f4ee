#include "tests/support/xserver/XWindows.h"

#include <X11/Xatom.h>

#include "tests/support/WaitUntil.h"

long ProcessOf(Display* x, Window w) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    long process = 0;
    if (XGetWindowProperty(x, w, XInternAtom(x, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &left, &data) == Success &&
        data && count == 1)
        process = *reinterpret_cast<long*>(data);
    if (data) XFree(data);
    return process;
}

Window FindWindowNamed(Display* x, const std::string& title, long process) {
    const auto search = [x, &title, process](const auto& self, Window under) -> Window {
        char* name = nullptr;
        bool named = XFetchName(x, under, &name) && name && title == name;
        if (name) XFree(name);
        named = named && (process == 0 || ProcessOf(x, under) == process);
        if (named) return under;
        Window root = 0, parent = 0, *children = nullptr, found = 0;
        unsigned count = 0;
        if (XQueryTree(x, under, &root, &parent, &children, &count))
            for (unsigned i = 0; i < count && !found; ++i) found = self(self, children[i]);
        if (children) XFree(children);
        return found;
    };
    return search(search, DefaultRootWindow(x));
}

bool IsShown(Display* x, Window w) {
    XWindowAttributes a{};
    return XGetWindowAttributes(x, w, &a) && a.map_state == IsViewable;
}

bool HoldsKeyboard(Display* x, Window w) {
    if (!IsShown(x, w)) return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(x, &focus, &revert);
    while (focus != w && focus != None && focus != PointerRoot) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(x, focus, &root, &parent, &children, &count)) return false;
        if (children) XFree(children);
        if (focus == root) return false;
        focus = parent;
    }
    return focus == w;
}

void SendKey(Display* x, Window w, const char* keysym, unsigned modifiers) {
    XEvent event{};
    XKeyEvent& key = event.xkey;
    key.display = x;
    key.window = w;
    key.root = DefaultRootWindow(x);
    key.state = modifiers;
    key.keycode = XKeysymToKeycode(x, XStringToKeysym(keysym));
    key.same_screen = True;
    for (const int type : {KeyPress, KeyRelease}) {
        key.type = type;
        XSendEvent(x, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    }
    XFlush(x);
}

bool AnswersPing(Display* x, Window w, std::chrono::milliseconds limit) {
    // The answer comes to the root, to whoever selects its changes or its children's there.
    const Window root = DefaultRootWindow(x);
    XWindowAttributes before{};
    XGetWindowAttributes(x, root, &before);
    XSelectInput(x, root, before.your_event_mask | StructureNotifyMask | SubstructureNotifyMask);
    const Atom protocols = XInternAtom(x, "WM_PROTOCOLS", False), ping = XInternAtom(x, "_NET_WM_PING", False);
    static long pings = 0;
    const long stamp = ++pings;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(w);
    XSendEvent(x, w, False, NoEventMask, &event);
    XFlush(x);
    const bool answered = WaitUntil([&] {
        XEvent answer{};
        while (XCheckTypedWindowEvent(x, root, ClientMessage, &answer))
            if (answer.xclient.message_type == protocols && answer.xclient.data.l[0] == static_cast<long>(ping) &&
                answer.xclient.data.l[1] == stamp)
                return true;
        return false;
    }, limit);
    XSelectInput(x, root, before.your_event_mask);
    return answered;
}
