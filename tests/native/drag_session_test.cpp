#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/drag_session.h"

namespace {

// A target that logs what it hears and takes the drag while `accept` says so.
class LogTarget : public DragTarget {
 public:
  LogTarget(std::string name, std::vector<std::string>& log) : FName(std::move(name)), FLog(log) {}
  bool DragTargetOver(TObject*, TPoint at, TDragState state) override {
    const char* what = state == TDragState::dsDragEnter ? "enter" : state == TDragState::dsDragMove ? "move" : "leave";
    FLog.push_back(FName + " " + what + " " + std::to_string(at.X) + "," + std::to_string(at.Y));
    if (throwOnLeave && state == TDragState::dsDragLeave) throw std::runtime_error("handler failed");
    return accept;
  }
  bool DragTargetDrop(TObject*, TPoint at) override {
    FLog.push_back(FName + " drop " + std::to_string(at.X) + "," + std::to_string(at.Y));
    return takeDrop;
  }
  bool accept = true;
  bool takeDrop = true;
  bool throwOnLeave = false;

 private:
  std::string FName;
  std::vector<std::string>& FLog;
};

class DragSessionTest : public testing::Test {
 protected:
  std::vector<std::string> log;
  LogTarget a{"a", log}, b{"b", log};
  TObject source;
  DragSession drag;
};

TEST_F(DragSessionTest, GoesLiveOnlyOncePastTheThresholdAlongEitherAxis) {
  drag.Begin(&source, {100, 100}, false, 4);
  EXPECT_TRUE(drag.Running());
  EXPECT_FALSE(drag.Move({104, 96}, &a, {4, 4}));  // on the threshold: still a press
  EXPECT_FALSE(drag.Live());
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(drag.Move({100, 105}, &a, {0, 5}));
  EXPECT_TRUE(drag.Live());
  EXPECT_EQ(log, (std::vector<std::string>{"a enter 0,5"}));
  // Released before it went live, a drag drops nowhere and tells no target.
  log.clear();
  drag.Begin(&source, {0, 0}, false, 4);
  drag.Move({-3, 2}, &a, {1, 1});
  DragSession::Ending end = drag.End(true);
  EXPECT_EQ(end.Target, nullptr);
  EXPECT_FALSE(drag.Running());
  EXPECT_TRUE(log.empty());
  // An immediate drag is live before the pointer moves.
  drag.Begin(&source, {0, 0}, true, 4);
  EXPECT_TRUE(drag.Move({0, 0}, &a, {2, 3}));
  EXPECT_EQ(log, (std::vector<std::string>{"a enter 2,3"}));
}

TEST_F(DragSessionTest, TargetsHearEnterMoveLeaveAndOnlyOneThatTakesItGetsTheDrop) {
  b.accept = false;
  drag.Begin(&source, {0, 0}, true, 4);
  EXPECT_TRUE(drag.Move({1, 1}, &a, {1, 1}));
  EXPECT_TRUE(drag.Move({2, 2}, &a, {2, 2}));
  EXPECT_FALSE(drag.Move({3, 3}, &b, {0, 0}));
  EXPECT_FALSE(drag.Accepted());
  EXPECT_FALSE(drag.Move({4, 4}, nullptr, {}));  // over nothing of ours
  EXPECT_TRUE(drag.Move({5, 5}, &a, {5, 5}));
  EXPECT_TRUE(drag.Accepted());
  DragSession::Ending end = drag.End(true);
  EXPECT_EQ(end.Target, &a);
  EXPECT_EQ(end.At, (TPoint{5, 5}));
  EXPECT_EQ(log, (std::vector<std::string>{"a enter 1,1", "a move 2,2", "a leave 2,2", "b enter 0,0", "b leave 0,0",
                                           "a enter 5,5", "a leave 5,5", "a drop 5,5"}));
  // A target that refuses as the drag leaves it gets no drop.
  log.clear();
  drag.Begin(&source, {0, 0}, true, 4);
  drag.Move({1, 1}, &b, {1, 1});
  EXPECT_EQ(drag.End(true).Target, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"b enter 1,1", "b leave 1,1"}));
  // One that turns the drop away after all ends the drag nowhere.
  log.clear();
  a.takeDrop = false;
  drag.Begin(&source, {0, 0}, true, 4);
  drag.Move({1, 1}, &a, {1, 1});
  EXPECT_EQ(drag.End(true).Target, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"a enter 1,1", "a leave 1,1", "a drop 1,1"}));
}

TEST_F(DragSessionTest, ACancelOrAGoneTargetDropsNothingAndAFailingTargetStillEndsTheDrag) {
  drag.Begin(&source, {0, 0}, true, 4);
  drag.Move({1, 1}, &a, {1, 1});
  EXPECT_EQ(drag.End(false).Target, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"a enter 1,1", "a leave 1,1"}));
  log.clear();
  drag.Begin(&source, {0, 0}, true, 4);
  drag.Move({1, 1}, &a, {1, 1});
  drag.Forget(&a);
  EXPECT_FALSE(drag.Accepted());
  EXPECT_EQ(drag.End(true).Target, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"a enter 1,1"}));
  a.throwOnLeave = true;
  drag.Begin(&source, {0, 0}, true, 4);
  drag.Move({1, 1}, &a, {1, 1});
  EXPECT_THROW(drag.End(true), std::runtime_error);
  EXPECT_FALSE(drag.Running());
}

}  // namespace
