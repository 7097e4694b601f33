#include <gtest/gtest.h>

#include "ExceptionBoundary.h"
#include "MessageRecorder.h"
#include "Ref.h"

namespace {

struct Thing {
  int value = 7;
};

TEST(ExceptionBoundary, NilHandleRaisesNilObjectException) {
  Ref<Thing> nothing;
  EXPECT_THROW(nothing->value++, NilObjectException);
  Ref<Thing> thing = New<Thing>();
  EXPECT_EQ(thing->value, 7);
}

TEST(ExceptionBoundary, EscapingExceptionsStopAtTheBoundary) {
  MessageRecorder messages;
  testing::internal::CaptureStderr();
  EXPECT_FALSE(CallIntoProgram([]() -> bool { throw NilObjectException(); }, false));
  CallIntoProgram([] { throw std::out_of_range("past the end"); });
  const std::string report = testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
  EXPECT_NE(report.find("std::out_of_range: past the end"), std::string::npos) << report;
  EXPECT_TRUE(CallIntoProgram([] { return true; }, false));
  EXPECT_EQ(messages.texts.size(), 2u);
}

}  // namespace
