// The skinned windows from the keyboard alone, and as a screen reader in
// another program learns them through their accessible objects.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "settings/options_frm.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "ui_input.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

// The object's own reference, released at the end.
struct Accessible {
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                               __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object != nullptr) object->Release();
  }
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  // "name|role|state" of the child (0 for the object itself), as a screen
  // reader reads them.
  std::string Describe(long id) const {
    if (object == nullptr) return "no object";
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    BSTR name = nullptr;
    VARIANT role{}, state{};
    object->get_accName(child, &name);
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    std::string text = win32::Utf8FromWide(name != nullptr ? name : L"") + "|" +
                       std::to_string(role.lVal) + "|" +
                       std::to_string(state.lVal);
    SysFreeString(name);
    return text;
  }
  std::vector<std::string> Children() const {
    std::vector<std::string> children;
    long count = 0;
    if (object == nullptr || FAILED(object->get_accChildCount(&count))) {
      return children;
    }
    for (long id = 1; id <= count; ++id) children.push_back(Describe(id));
    return children;
  }
  long Focus() const {
    VARIANT focus{};
    if (object == nullptr || object->get_accFocus(&focus) != S_OK) return -1;
    return focus.vt == VT_I4 ? focus.lVal : -1;
  }
  bool Press(long id) const {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return object != nullptr && SUCCEEDED(object->accDoDefaultAction(child));
  }

  IAccessible* object = nullptr;
};

std::string Child(const char* name, long role, long state) {
  return std::string(name) + "|" + std::to_string(role) + "|" +
         std::to_string(state);
}

constexpr long kButton = ROLE_SYSTEM_PUSHBUTTON;
constexpr long kCheckBox = ROLE_SYSTEM_CHECKBUTTON;
constexpr long kFocusable = STATE_SYSTEM_FOCUSABLE;
constexpr long kChecked = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED;

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                   {"UseBitRate", "0"}, {"UseElapRem", "0"}, {"UseSongLen", "1"},
                   {"UseAscii", "1"},
                   {"AutoAdv", "0"}, {"AutoLoadWA", "0"}, {"WinampDIR", ""}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe", L"");
    ASSERT_NE(WaitForChatClient(), nullptr);
    ASSERT_NE(WaitForTopLevel("Winamp v1.x"), nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    main_ = PassTheSplash();
    ASSERT_NE(main_, nullptr);
  }
  void TearDown() override { CoUninitialize(); }

  std::string Transcript() { return WindowText(RoomTranscript(1)); }
  void Type(WORD key) { ASSERT_TRUE(PressKey(key)) << LastInputFailure(); }
  HWND OpenOptions() {
    const POINT at = CentreOf(main_, shell::MainFRM::Design(), "OptionsLBL");
    EXPECT_TRUE(Click(at.x, at.y)) << LastInputFailure();
    return WaitForVisible(kOptionsClass, 15s);
  }

  Process chat_, player_, program_;
  HWND main_ = nullptr;
};

TEST_F(Keyboard, TabToAdvertiseAndSpacePostsTheReport) {
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }, 15s));
  const std::size_t before = Transcript().size();
  Type(VK_TAB);
  Type(VK_SPACE);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return Transcript().find("DemoUser:\t~~ Playing Song: ", before) !=
               std::string::npos;
      },
      15s))
      << Transcript();
  EXPECT_EQ(Accessible(main_).Focus(), 1) << "Advertise, the first stop";
}

// The keys typed in a text box that belong to the form reach it: Tab and
// Shift+Tab leave the box for the next or the previous control, Esc closes
// the window.
TEST_F(Keyboard, TabLeavesTheTextBoxesAndEscClosesTheOptions) {
  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  const HWND ascii = FindWindowExW(options, nullptr, L"Edit", nullptr);
  const HWND dir = FindWindowExW(options, ascii, L"Edit", nullptr);
  ASSERT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == ascii; }, 15s));
  Type(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == options; }, 15s));
  EXPECT_EQ(Accessible(options).Focus(), 3) << "the auto-start box";
  Type(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == dir; }, 15s));
  ASSERT_TRUE(PressKeyWith(VK_SHIFT, VK_TAB)) << LastInputFailure();
  EXPECT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == options; }, 15s))
      << "Shift+Tab goes back to the start switch";
  EXPECT_EQ(Accessible(options).Focus(), 3);
  Type(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return KeyboardFocusOf(options) == dir; }, 15s));
  // Enter on Advertise Setup opens the setup window, which then has the
  // keyboard: its Esc brings Options back.
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(PressKeyWith(VK_SHIFT, VK_TAB)) << LastInputFailure();
  }
  EXPECT_TRUE(WaitUntil([&] { return Accessible(options).Focus() == 1; }, 15s));
  Type(VK_RETURN);
  const HWND setup = WaitForVisible(kSetupClass, 15s);
  ASSERT_NE(setup, nullptr);
  Type(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(setup) && IsWindowVisible(options); },
                        15s));
  Type(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 15s));
}

TEST_F(Keyboard, ScreenReadersLearnEachControlsNameRoleAndState) {
  EXPECT_EQ(Accessible(main_).Children(),
            (std::vector<std::string>{
                Child("Advertise", kButton, kFocusable),
                Child("Options", kButton, kFocusable),
                Child("Previous Song", kButton, kFocusable),
                Child("Stop Song", kButton, kFocusable),
                Child("Next Song", kButton, kFocusable),
                Child("Play/Pause", kButton, kFocusable),
                Child("About", kButton, kFocusable),
                Child("Auto Advertise", kCheckBox, kFocusable),
                Child("Minimize", kButton, kFocusable),
                Child("Exit", kButton, kFocusable)}));
  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  // The text boxes are the system's own, each an object of its own.
  const std::vector<std::string> optionsChildren = Accessible(options).Children();
  ASSERT_EQ(optionsChildren.size(), 6u);
  EXPECT_EQ(optionsChildren[0], Child("Advertise Setup", kButton, kFocusable));
  EXPECT_EQ(optionsChildren[2],
            Child("Start WinAmp with Tavrin", kCheckBox, kFocusable));
  EXPECT_EQ(optionsChildren[4], Child("Choose WinAmp", kButton, kFocusable));
  // Asked itself, as a screen reader does when the box takes the keyboard,
  // a text box gives the name its label shows.
  const HWND dir = FindWindowExW(
      options, FindWindowExW(options, nullptr, L"Edit", nullptr), L"Edit", nullptr);
  const std::string described = Accessible(dir).Describe(CHILDID_SELF);
  EXPECT_EQ(described.rfind("Path|" + std::to_string(ROLE_SYSTEM_TEXT) + "|", 0), 0u)
      << described;

  ASSERT_TRUE(Accessible(options).Press(1)) << "Advertise Setup";
  const HWND setup = WaitForVisible(kSetupClass, 15s);
  ASSERT_NE(setup, nullptr);
  const Accessible setupObject(setup);
  EXPECT_EQ(setupObject.Children(),
            (std::vector<std::string>{
                Child("Ascii decoration", kCheckBox, kChecked),
                Child("Elapsed/Left", kCheckBox, kFocusable),
                Child("Song name", kCheckBox, kChecked),
                Child("Song length", kCheckBox, kChecked),
                Child("Bit rate", kCheckBox, kFocusable),
                Child("WinAmp status", kCheckBox, kChecked),
                Child("Close", kButton, kFocusable)}));
  ASSERT_TRUE(setupObject.Press(5)) << "Bit rate";
  EXPECT_TRUE(WaitUntil(
      [&] {
        return setupObject.Children().at(4) ==
               Child("Bit rate", kCheckBox, kChecked);
      },
      15s));
}

}  // namespace
}  // namespace tavrin::e2e
