#include "ui/main_window.h"

#include <commctrl.h>

#include "ui/message_loop.h"

namespace zq {
namespace {

constexpr char kWindowClass[] = "ZQRenameMainWindow";
constexpr char kTitle[] = "ZQ文件批量改名    BY:vondle";
constexpr int kWindowWidth = 611;
constexpr int kWindowHeight = 374;
constexpr int kNamesBoxLimit = 11110;
constexpr int kFirstControlId = 100;

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
constexpr DWORD kLineBox = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;

struct ControlLayout {
  Control control;
  const char* window_class;
  const char* text;
  DWORD style;  // WS_CHILD is added to every control
  DWORD ex_style;
  int left, top, width, height;  // in the window's client area
};

// In stacking order, the first on top; the controls are created in the reverse order.
constexpr ControlLayout kLayout[] = {
    {Control::OpenNamesFileButton, "BUTTON", "打开名字文件", WS_VISIBLE | kButton, 0,
     512, 0, 88, 32},
    {Control::NameCountLabel, "STATIC", "名称数：", WS_VISIBLE | kLabel, 0, 472, 304, 48, 32},
    {Control::FileCountLabel, "STATIC", "文件数：", WS_VISIBLE | kLabel, 0, 240, 304, 48, 32},
    {Control::FileCountBox, "EDIT", "", WS_VISIBLE | kLineBox, WS_EX_CLIENTEDGE,
     320, 304, 48, 32},
    {Control::NameCountBox, "EDIT", "", WS_VISIBLE | kLineBox | ES_READONLY, WS_EX_CLIENTEDGE,
     536, 304, 48, 32},
    {Control::NamesLabel, "STATIC", "要替换的文件名：", WS_VISIBLE | kLabel, 0, 416, 5, 88, 24},
    {Control::NamesBox, "EDIT", "",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL |
         ES_WANTRETURN | ES_NOHIDESEL,
     WS_EX_CLIENTEDGE, 408, 40, 192, 248},
    // Never shown: it only holds the folder's name.
    {Control::FolderNameBox, "EDIT", "", kLineBox, WS_EX_CLIENTEDGE, 8, 304, 40, 24},
    // (4, 12) inside the group box.
    {Control::FileListBox, "LISTBOX", "",
     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
         LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, 18, 48, 374, 240},
    // Clips its sibling, the list box above it, so that painting the group box never
    // paints over the list.
    {Control::FileListGroup, "BUTTON", "目录文件",
     WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX | BS_LEFT, 0, 14, 36, 386, 252},
    {Control::FolderLabel, "STATIC", "目录：", WS_VISIBLE | kLabel, 0, 12, 3, 32, 24},
    {Control::OpenFolderButton, "BUTTON", "打开文件夹", WS_VISIBLE | kButton, 0,
     320, 4, 80, 24},
    {Control::StartRenameButton, "BUTTON", "开始改名", WS_VISIBLE | kButton, 0, 93, 304, 67, 32},
    {Control::FolderPathBox, "EDIT", "", WS_VISIBLE | kLineBox, WS_EX_CLIENTEDGE,
     48, 4, 256, 24},
};
static_assert(sizeof kLayout / sizeof kLayout[0] == kControlCount, "one row per control");

int IdOf(Control control) { return kFirstControlId + static_cast<int>(control); }

bool IsEditBox(Control control) {
  return control == Control::FolderPathBox || control == Control::FolderNameBox ||
         control == Control::NamesBox || control == Control::NameCountBox ||
         control == Control::FileCountBox;
}

bool IsButton(Control control) {
  return control == Control::OpenFolderButton || control == Control::StartRenameButton ||
         control == Control::OpenNamesFileButton;
}

// A group box paints only its frame and caption, and the window clips its children, so the
// strip between the frame and the list would never be painted: the group box fills its
// background itself.
LRESULT CALLBACK GroupBoxProc(HWND group, UINT message, WPARAM wparam, LPARAM lparam,
                              UINT_PTR id, DWORD_PTR) {
  if (message == WM_ERASEBKGND) {
    RECT area;
    GetClientRect(group, &area);
    FillRect(reinterpret_cast<HDC>(wparam), &area, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(group, &GroupBoxProc, id);
  return DefSubclassProc(group, message, wparam, lparam);
}

bool CanTakeFocus(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(control) &&
         IsWindowEnabled(control);
}

}  // namespace

MainWindow::~MainWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool MainWindow::Create(HINSTANCE instance) {
  // Loads version 6 of the common controls that the manifest asks for, whose classes the
  // controls below then are (older systems load it only when asked).
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);

  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &MainWindow::WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kWindowClass;
  if (RegisterClassExA(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  // WindowProc records the handle on WM_NCCREATE.
  if (CreateWindowExA(0, kWindowClass, kTitle, WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left,
                      top, kWindowWidth, kWindowHeight, nullptr, nullptr, instance,
                      this) == nullptr) {
    return false;
  }

  big_icon_ = UniqueIcon(static_cast<HICON>(
      LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                 GetSystemMetrics(SM_CYICON), 0)));
  small_icon_ = UniqueIcon(static_cast<HICON>(
      LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), 0)));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));

  if (!CreateControls(instance)) {
    DestroyWindow(window_);
    return false;
  }
  file_dialog_ = std::make_unique<OpenFileDialog>();
  drop_target_ =
      std::make_unique<DropTarget>([this](const Text& paths) { events_.FilesDropped(paths); });
  return true;
}

bool MainWindow::CreateControls(HINSTANCE instance) {
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (int row = kControlCount - 1; row >= 0; --row) {
    const ControlLayout& layout = kLayout[row];
    const HWND control = CreateWindowExA(
        layout.ex_style, layout.window_class, layout.text, WS_CHILD | layout.style, layout.left,
        layout.top, layout.width, layout.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(layout.control))), instance, nullptr);
    if (control == nullptr) return false;
    controls_[static_cast<int>(layout.control)] = control;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }

  SetWindowSubclass(ControlHandle(Control::FileListGroup), &GroupBoxProc, 0, 0);
  SendMessageA(ControlHandle(Control::NamesBox), EM_LIMITTEXT, kNamesBoxLimit, 0);
  const HWND list = ControlHandle(Control::FileListBox);
  const LRESULT item_height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  if (item_height > 0) SendMessageA(list, LB_SETITEMHEIGHT, 0, item_height + 1);

  HWND above = HWND_TOP;
  for (const ControlLayout& layout : kLayout) {
    const HWND control = ControlHandle(layout.control);
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
  return true;
}

void MainWindow::Show() {
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

bool MainWindow::PreTranslate(const MSG& message) {
  if (window_ == nullptr || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  switch (message.wParam) {
    case VK_TAB: {
      const HWND next = NextTabStop(GetFocus(), GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
      if (next != nullptr) SetFocus(next);
      return true;
    }
    case VK_ESCAPE:
      SendMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    default:
      return false;
  }
}

HWND MainWindow::NextTabStop(HWND from, int step) const {
  int position = -1;
  for (int i = 0; i < kControlCount; ++i) {
    if (controls_[i] == from) position = i;
  }
  // From outside the cycle, Tab starts at the first control and Shift+Tab at the last.
  if (position < 0) position = step > 0 ? kControlCount - 1 : 0;
  for (int tried = 0; tried < kControlCount; ++tried) {
    position = (position + step + kControlCount) % kControlCount;
    if (CanTakeFocus(controls_[position])) return controls_[position];
  }
  return nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam,
                                        LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const HWND window = window_;
  switch (message) {
    case WM_COMMAND:
      OnCommand(wparam);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return OnControlColor(message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
      OnActivate(wparam);
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void MainWindow::OnCommand(WPARAM wparam) {
  const int id = LOWORD(wparam);
  if (id < kFirstControlId || id >= kFirstControlId + kControlCount) return;
  const Control control = static_cast<Control>(id - kFirstControlId);
  const int notification = HIWORD(wparam);
  if (IsButton(control) && notification == BN_CLICKED) events_.ButtonClicked(control);
  if (IsEditBox(control) && notification == EN_CHANGE) events_.TextChanged(control);
}

LRESULT MainWindow::OnControlColor(UINT message, HDC dc, HWND control) {
  SetTextColor(dc, RGB(0, 0, 0));
  // A read-only edit box asks with WM_CTLCOLORSTATIC too, but keeps the white of the others.
  if (message != WM_CTLCOLORSTATIC || control == ControlHandle(Control::NameCountBox)) {
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnActivate(WPARAM wparam) {
  if (LOWORD(wparam) != WA_INACTIVE) return;
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus)) focus_when_deactivated_ = focus;
}

void MainWindow::OnSetFocus() {
  HWND target = focus_when_deactivated_;
  if (target == nullptr || !IsWindow(target) || !IsChild(window_, target)) {
    target = NextTabStop(nullptr, 1);
  }
  if (target != nullptr) SetFocus(target);
}

void MainWindow::OnDestroy() {
  if (drop_target_ != nullptr) drop_target_->Revoke();
  if (MessageLoopStarted()) PostQuitMessage(0);
}

void MainWindow::OnNcDestroy() {
  window_ = nullptr;
  for (HWND& control : controls_) control = nullptr;
  focus_when_deactivated_ = nullptr;
}

}  // namespace zq
