// The message-box service: the scripted service records and answers, and the
// registration point hands the product whichever service is in force.
#include <gtest/gtest.h>

#include "ui/message_box.h"
#include "ui/scripted/scripted_message_box.h"

namespace {

using ui::Answer;
using ui::Buttons;

TEST(MessageBoxTest, ScriptedBoxesAnswerFromTheQueueThenWithTheFirstButton) {
  ui::ScriptedMessageBoxes boxes;
  ui::ScopedMessageBoxes scoped(&boxes);
  boxes.QueueAnswer(Answer::kNo);
  EXPECT_EQ(ui::ShowMessage("Save the page first?", "Glintmere Alert", Buttons::kYesNo,
                            ui::Icon::kQuestion),
            Answer::kNo);
  EXPECT_EQ(ui::ShowMessage("Again?", "Glintmere Alert", Buttons::kYesNoCancel), Answer::kYes);
  EXPECT_EQ(ui::ShowMessage("Retry?", "", Buttons::kRetryCancel), Answer::kRetry);
  EXPECT_EQ(ui::ShowMessage("Stop", "Error"), Answer::kOk);

  ASSERT_EQ(boxes.shown().size(), 4u);
  EXPECT_EQ(boxes.shown()[0].text, "Save the page first?");
  EXPECT_EQ(boxes.shown()[0].caption, "Glintmere Alert");
  EXPECT_EQ(boxes.shown()[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(boxes.shown()[0].icon, ui::Icon::kQuestion);
  EXPECT_EQ(boxes.shown()[3].icon, ui::Icon::kNone);
}

TEST(MessageBoxTest, ScopesNestAndRestoreThePreviousService) {
  ui::MessageBoxService* system = &ui::GetMessageBoxes();
  ui::ScriptedMessageBoxes outer, inner;
  {
    ui::ScopedMessageBoxes a(&outer);
    {
      ui::ScopedMessageBoxes b(&inner);
      ui::ShowMessage("inner", "");
    }
    ui::ShowMessage("outer", "");
  }
  EXPECT_EQ(&ui::GetMessageBoxes(), system);
  ASSERT_EQ(inner.shown().size(), 1u);
  ASSERT_EQ(outer.shown().size(), 1u);
  EXPECT_EQ(outer.shown()[0].text, "outer");
}

TEST(MessageBoxTest, FirstButtonOfEachSet) {
  EXPECT_EQ(ui::FirstButton(Buttons::kOk), Answer::kOk);
  EXPECT_EQ(ui::FirstButton(Buttons::kOkCancel), Answer::kOk);
  EXPECT_EQ(ui::FirstButton(Buttons::kAbortRetryIgnore), Answer::kAbort);
  EXPECT_EQ(ui::FirstButton(Buttons::kYesNo), Answer::kYes);
}

}  // namespace
