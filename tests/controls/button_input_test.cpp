// The input rules without a window: what a handler changes in its arguments
// counts, and the remembered button decides what clicks.
#include "controls/button_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tessaro {
namespace {

class RecordingHost : public ButtonInputHost {
 public:
  std::vector<std::string> log;
  bool enabled = true;
  std::function<void(short&)> on_key_down = [](short&) {};

  bool Enabled() const override { return enabled; }
  void Redraw(ButtonState state, bool force) override {
    log.push_back(std::string(state == ButtonState::kPressed ? "pressed" : "normal") + (force ? "!" : ""));
  }
  void Refresh() override { log.push_back("refresh"); }
  void MoveFocus(bool forward) override { log.push_back(forward ? "next" : "previous"); }
  void RaiseClick() override { log.push_back("Click"); }
  void RaiseMouseDown(short& b, short& s, float& x, float& y) override { Mouse("MouseDown", b, s, x, y); }
  void RaiseMouseMove(short& b, short& s, float& x, float& y) override { Mouse("MouseMove", b, s, x, y); }
  void RaiseMouseUp(short& b, short& s, float& x, float& y) override { Mouse("MouseUp", b, s, x, y); }
  void RaiseKeyPress(short& key) override { log.push_back("KeyPress " + std::to_string(key)); }
  void RaiseKeyDown(short& key, short&) override {
    on_key_down(key);
    log.push_back("KeyDown " + std::to_string(key));
  }
  void RaiseKeyUp(short& key, short&) override { log.push_back("KeyUp " + std::to_string(key)); }

 private:
  void Mouse(const char* name, short b, short s, float x, float y) {
    log.push_back(std::string(name) + " " + std::to_string(b) + "," + std::to_string(s) + "," +
                  std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
  }
};

class ButtonInputTest : public ::testing::Test {
 protected:
  ButtonInputTest() { input.SetSize(40, 20); }
  RecordingHost host;
  ButtonInput input{host};
};

TEST_F(ButtonInputTest, SpacePressAndRelease) {
  input.KeyDown(32, 0);
  input.KeyPress(32);
  input.KeyUp(32, 0);
  EXPECT_EQ(host.log, (std::vector<std::string>{"KeyDown 32", "pressed", "MouseDown 1,1,1,1", "KeyPress 32",
                                                "KeyUp 32", "normal", "MouseUp 1,1,1,1", "normal!",
                                                "refresh", "Click"}));
}

TEST_F(ButtonInputTest, KeyCodeChangedByTheHandlerCounts) {
  host.on_key_down = [](short& key) { key = 0; };
  input.KeyDown(32, 0);
  input.KeyUp(32, 0);
  EXPECT_EQ(host.log, (std::vector<std::string>{"KeyDown 0", "KeyUp 32"}));
}

TEST_F(ButtonInputTest, ArrowsMoveTheFocus) {
  for (short key : {39, 40, 37, 38}) input.KeyDown(key, 0);
  EXPECT_EQ(host.log, (std::vector<std::string>{"KeyDown 39", "next", "KeyDown 40", "next", "KeyDown 37",
                                                "previous", "KeyDown 38", "previous"}));
}

TEST_F(ButtonInputTest, OnlyALeftPressOrSpaceReleaseLetsTheAccessKeyClick) {
  EXPECT_TRUE(input.Click());
  input.ButtonDown(kRightButton, 0, 5, 5);
  input.ButtonUp(kRightButton, 0, 5, 5);
  EXPECT_FALSE(input.Click());
  input.ButtonDown(kMiddleButton, 0, 5, 5);
  EXPECT_FALSE(input.Click());
  input.KeyDown(32, 0);
  input.KeyUp(32, 0);
  EXPECT_EQ(input.remembered_button(), kLeftButton);
  EXPECT_TRUE(input.Click());
  host.enabled = false;
  EXPECT_FALSE(input.Click());
}

TEST_F(ButtonInputTest, TheFarEdgesAreOutside) {
  input.ButtonDown(kLeftButton, 0, 5, 5);
  host.log.clear();
  input.MouseMove(kLeftButton, 0, 40, 5);
  input.MouseMove(kLeftButton, 0, 39, 19);
  input.MouseMove(kLeftButton, 0, 5, 20);
  input.MouseMove(0, 0, -1, 5);
  EXPECT_EQ(host.log, (std::vector<std::string>{"normal", "MouseMove 1,0,40,5", "pressed", "MouseMove 1,0,39,19",
                                                "normal", "MouseMove 1,0,5,20", "normal", "MouseMove 0,0,-1,5"}));
}

}  // namespace
}  // namespace tessaro
