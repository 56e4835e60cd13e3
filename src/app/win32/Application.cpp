#include "app/win32/Application.h"

#include "win32/ProgramIcon.h"
#include "win32/RoutedWindow.h"

namespace korv {

namespace {

constexpr const char* kApplicationClass = "KorvprintApplication";

}  // namespace

bool Application::Create(const std::string& title) {
  windowThread_ = GetCurrentThreadId();
  win32::WindowClass cls;
  cls.name = kApplicationClass;
  cls.procedure = DefWindowProcA;  // no messages of its own
  cls.icon = win32::ProgramIcon(win32::IconSize::Large);
  if (!win32::RegisterWindowClass(cls)) return false;
  // Never shown: it only carries the title and owns the service window.
  window_.Reset(CreateWindowExA(0, kApplicationClass, title.c_str(),
                                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  return window_.Valid();
}

void Application::Terminate() {
  terminated_ = true;
  if (GetCurrentThreadId() == windowThread_)
    PostQuitMessage(0);
  else
    PostThreadMessageA(windowThread_, WM_QUIT, 0, 0);
}

void Application::PostQuit() {
  // A window's queue takes WM_QUIT like any message; the message loop ends on it.
  if (!PostMessageA(window_.Get(), WM_QUIT, 0, 0)) PostThreadMessageA(windowThread_, WM_QUIT, 0, 0);
}

}  // namespace korv
