// The main window's controls and menus as a screen reader reads them:
// through WM_GETOBJECT, AccessibleObjectFromWindow and IAccessible, in this
// process and from another one, with the events they raise.
#include <ole2.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "base/utf_win.h"
#include "label/url_label_win.h"
#include "skin/frame/skin_form_win.h"
#include "skin/frame/skin_frame_win.h"
#include "skin/menu/skin_menu_win.h"
#include "ui/accessible_win.h"
#include "ui/system/system_library_win.h"
#include "wine_support.h"

namespace {

// One reference to a window's accessible object, let go at the end.
class Accessible {
 public:
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kAccessibleInterfaceId,
                               reinterpret_cast<void**>(&FObject));
  }
  ~Accessible() {
    if (FObject) FObject->Release();
  }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;
  IAccessible* operator->() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }

  std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child = 0) const {
    BSTR text = nullptr;
    if ((FObject->*get)(Child(child), &text) != S_OK || !text) return {};
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
  }
  std::wstring Name(long child = 0) const { return Text(&IAccessible::get_accName, child); }
  std::wstring Value(long child = 0) const { return Text(&IAccessible::get_accValue, child); }
  std::wstring Action(long child = 0) const { return Text(&IAccessible::get_accDefaultAction, child); }
  long Role(long child = 0) const { return Number(&IAccessible::get_accRole, child); }
  long State(long child = 0) const { return Number(&IAccessible::get_accState, child); }
  HRESULT DoDefaultAction(long child = 0) const { return FObject->accDoDefaultAction(Child(child)); }

  static VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
  }

 private:
  long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) const {
    VARIANT v;
    VariantInit(&v);
    return (FObject->*get)(Child(child), &v) == S_OK && v.vt == VT_I4 ? v.lVal : -1;
  }
  IAccessible* FObject = nullptr;
};

// The events raised in this process while it lives, as a screen reader hears them.
struct SeenEvent {
  DWORD event;
  HWND window;
  LONG object, child;
  bool operator==(const SeenEvent&) const = default;
};
std::vector<SeenEvent> gEvents;

class EventRecorder {
 public:
  EventRecorder() {
    gEvents.clear();
    FHook = SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_OBJECT_VALUECHANGE, nullptr, Record,
                            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  ~EventRecorder() { UnhookWinEvent(FHook); }
  bool Hooked() const { return FHook != nullptr; }
  static bool Seen(const SeenEvent& event) {
    for (const SeenEvent& e : gEvents)
      if (e == event) return true;
    return false;
  }

 private:
  static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    gEvents.push_back({event, window, object, child});
  }
  HWINEVENTHOOK FHook;
};

class AccessibleTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    form->Show();
    PumpMessages(100);
  }
};

TEST_F(AccessibleTest, ButtonsArePushButtonsThatPressOnlyWhileAvailable) {
  Accessible start(form->BtnStart->Handle()), stop(form->BtnStop->Handle());
  ASSERT_TRUE(start && stop);
  EXPECT_EQ(start.Role(), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(start.Name(), L"Start");
  EXPECT_EQ(start.Action(), L"Press");
  EXPECT_EQ(start.State() & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE), STATE_SYSTEM_FOCUSABLE);
  form->BtnStart->SetFocus();
  EXPECT_TRUE(start.State() & STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(stop.State(), STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(stop.DoDefaultAction(), E_FAIL) << "a disabled button refuses";

  EXPECT_EQ(start.DoDefaultAction(), S_OK);
  EXPECT_TRUE(form->BtnStart->Enabled()) << "the press waits for the window's own message";
  PumpMessages(1100);
  ASSERT_TRUE(form->BtnStop->Enabled()) << "armed";
  EXPECT_NE(start.Name().find(L"9:00:0"), std::wstring::npos) << "the running time: " << WideToUtf8(start.Name());
  EXPECT_TRUE(start.State() & STATE_SYSTEM_UNAVAILABLE);

  // Stop turns unavailable between the screen reader's request and its message: no press.
  EXPECT_EQ(stop.DoDefaultAction(), S_OK);
  form->BtnStop->SetEnabled(false);
  PumpMessages(50);
  EXPECT_FALSE(form->BtnStart->Enabled()) << "still armed";
  form->BtnStop->SetEnabled(true);
  EXPECT_EQ(stop.DoDefaultAction(), S_OK);
  PumpMessages(50);
  EXPECT_TRUE(form->BtnStart->Enabled()) << "Stop disarmed";
  EXPECT_EQ(start.Name(), L"start") << "the caption Stop leaves";
  EXPECT_TRUE(errors.empty());
}

TEST_F(AccessibleTest, TheClockFaceIsASpinControlNamedByItsHintThatTellsEveryChange) {
  TTimePicker* picker = form->TimePicker;
  Accessible face(picker->Handle());
  ASSERT_TRUE(face);
  EXPECT_EQ(face.Role(), ROLE_SYSTEM_SPINBUTTON);
  EXPECT_EQ(face.Name(), L"左键转动时针右键转动分针");
  EXPECT_EQ(face.Value(), Utf8ToWide(picker->TimeText()));
  EXPECT_EQ(face.DoDefaultAction(), DISP_E_MEMBERNOTFOUND);

  EventRecorder events;
  ASSERT_TRUE(events.Hooked());
  const std::wstring before = face.Value();
  SendMessageW(picker->Handle(), WM_KEYDOWN, VK_UP, 1);
  PumpMessages(50);
  EXPECT_NE(face.Value(), before);
  EXPECT_EQ(face.Value(), Utf8ToWide(picker->TimeText()));
  EXPECT_TRUE(EventRecorder::Seen({EVENT_OBJECT_VALUECHANGE, picker->Handle(), OBJID_CLIENT, CHILDID_SELF}));

  form->BtnStart->Click();
  EXPECT_TRUE(face.State() & STATE_SYSTEM_UNAVAILABLE) << "locked while armed";
}

// The library is bound when a screen reader first asks, so it can be missing then.
TEST_F(AccessibleTest, AMissingAccessibilityLibraryIsReportedOnceAndTheWindowsAnswerAsPlainOnes) {
  OleAccLibrary().Redirect(L"vespermark-missing-oleacc.dll");
  const LRESULT button = SendMessageW(form->BtnStart->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  const LRESULT face = SendMessageW(form->TimePicker->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
  const std::vector<std::string> reported = errors;
  OleAccLibrary().Redirect(nullptr);
  EXPECT_EQ(button, 0) << "the system's own answer";
  EXPECT_EQ(face, 0);
  ASSERT_EQ(reported.size(), 1u) << "once, not at every request";
  EXPECT_NE(reported[0].find("vespermark-missing-oleacc.dll"), std::string::npos) << reported[0];
  EXPECT_TRUE(IsWindow(form->BtnStart->Handle()));

  Accessible start(form->BtnStart->Handle());
  ASSERT_TRUE(start) << "bound once the library is there";
  EXPECT_EQ(start.Role(), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(start.Name(), L"Start");
  EXPECT_EQ(errors.size(), 1u);
}

TEST_F(AccessibleTest, TheLinkLabelIsALinkWhoseDefaultActionOpensIt) {
  struct Shell : LinkShell {
    std::vector<std::string> opened;
    bool Open(const std::string& target) override {
      opened.push_back(target);
      return true;
    }
    void ChooseHtmProgram() override {}
  } shell;
  SetLinkShell(&shell);
  Accessible link(form->URLLabel1->Handle());
  ASSERT_TRUE(link);
  EXPECT_EQ(link.Role(), ROLE_SYSTEM_LINK);
  EXPECT_EQ(link.Name(), L"vespermark.example.org");
  EXPECT_EQ(link.State() & (STATE_SYSTEM_LINKED | STATE_SYSTEM_TRAVERSED), STATE_SYSTEM_LINKED);
  EXPECT_EQ(link.DoDefaultAction(), S_OK);
  PumpMessages(50);
  SetLinkShell(nullptr);
  EXPECT_EQ(shell.opened, std::vector<std::string>{"https://vespermark.example.org/"});
  EXPECT_TRUE(link.State() & STATE_SYSTEM_TRAVERSED);
}

TEST_F(AccessibleTest, MenusArePopupMenusOfItemsThatTellWhenTheyOpenAndClose) {
  EventRecorder events;
  ASSERT_TRUE(events.Hooked());
  std::vector<std::string> chosen;
  auto item = [](const char* caption, bool enabled = true, const char* shortCut = "") {
    TMenuItem made;
    made.Name = made.Caption = caption;
    made.ShortCut = shortCut;
    made.Enabled = enabled;
    return made;
  };
  TSkinFrame& frame = *form->SkinForm1->Frame();
  frame.ShowMenu({item("&Alpha"), item("-"), item("&Beta", false), item("&Gamma", true, "Ctrl+G")},
                 TRect{200, 200, 200, 200}, [&](const TMenuItem& i) { chosen.push_back(i.Caption); });
  ASSERT_EQ(frame.Menu().LevelCount(), 1u);
  TSkinPopupWindow& level = frame.Menu().Level(0);
  HWND window = level.Handle();
  PumpMessages(50);
  EXPECT_TRUE(EventRecorder::Seen({EVENT_SYSTEM_MENUPOPUPSTART, window, OBJID_CLIENT, CHILDID_SELF}));
  EXPECT_TRUE(EventRecorder::Seen({EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, 1})) << "the first item is lit";

  Accessible menu(window);
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu.Role(), ROLE_SYSTEM_MENUPOPUP);
  long count = 0;
  EXPECT_EQ(menu->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(menu.Name(1), L"Alpha");
  EXPECT_EQ(menu.State(1) & STATE_SYSTEM_FOCUSED, STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(menu.Role(2), ROLE_SYSTEM_SEPARATOR);
  EXPECT_EQ(menu.State(3), STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(menu.Name(4), L"Gamma");
  EXPECT_EQ(menu.Text(&IAccessible::get_accKeyboardShortcut, 4), L"G");
  EXPECT_EQ(menu.Text(&IAccessible::get_accDescription, 4), L"Ctrl+G");
  EXPECT_EQ(menu.Role(5), -1) << "no fifth item";

  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(menu->accLocation(&left, &top, &width, &height, Accessible::Child(4)), S_OK);
  const TRect gamma = level.ItemScreenRect(3);
  EXPECT_EQ(Bounds(static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(width),
                   static_cast<int32_t>(height)),
            gamma);
  VARIANT hit;
  VariantInit(&hit);
  ASSERT_EQ(menu->accHitTest((gamma.Left + gamma.Right) / 2, (gamma.Top + gamma.Bottom) / 2, &hit), S_OK);
  EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, 4);

  EXPECT_EQ(menu.DoDefaultAction(3), E_FAIL) << "disabled";
  EXPECT_EQ(menu.DoDefaultAction(2), DISP_E_MEMBERNOTFOUND) << "a separator";
  EXPECT_EQ(menu.DoDefaultAction(4), S_OK);
  PumpMessages(50);
  EXPECT_EQ(chosen, std::vector<std::string>{"&Gamma"});
  EXPECT_FALSE(frame.Menu().MenuOpen());
  EXPECT_TRUE(EventRecorder::Seen({EVENT_SYSTEM_MENUPOPUPEND, window, OBJID_CLIENT, CHILDID_SELF}));
  EXPECT_EQ(menu->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 0) << "a closed menu has no items";
}

TEST_F(AccessibleTest, AnObjectHeldPastItsControlAnswersThatItIsGone) {
  auto* button = new TSkinButton(form);
  button->SetParent(form);
  button->SetCaption("&Extra");
  Accessible extra(button->Handle());
  ASSERT_TRUE(extra);
  EXPECT_EQ(extra.Name(), L"Extra");
  EXPECT_EQ(extra.Text(&IAccessible::get_accKeyboardShortcut), L"Alt+E");
  delete button;
  BSTR name = nullptr;
  EXPECT_EQ(extra->get_accName(Accessible::Child(0), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr);
}

TEST(AccessibleProcessTest, AnotherProcessReadsTheRunningProgram) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    ProgramProcess program;
    ASSERT_TRUE(program.Started()) << "error " << program.StartError();
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      std::vector<HWND> found = program.Windows(L"Vespermark");
      window = found.size() == 1 && IsWindowVisible(found[0]) ? found[0] : nullptr;
      return window != nullptr;
    }));
    Accessible start(FindWindowExW(window, nullptr, nullptr, L"Start"));
    ASSERT_TRUE(start);
    EXPECT_EQ(start.Role(), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(start.Name(), L"Start");
    EXPECT_EQ(start.Action(), L"Press");
    Accessible stop(FindWindowExW(window, nullptr, nullptr, L"Stop"));
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop.State(), STATE_SYSTEM_UNAVAILABLE);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_NE(program.WaitForExit(10000), -1);
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(start->get_accName(Accessible::Child(0), &name))) << "the program is gone";
  }
  CoUninitialize();
}

}  // namespace
