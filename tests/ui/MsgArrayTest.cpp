// The message array: lookups by identifier, the derived lists both ways, the stored
// dialog captions.
#include <gtest/gtest.h>

#include "rtl/Object.h"
#include "ui/MsgArray.h"

using ui::TMsgArray;

namespace {
struct MsgArrayTest : ::testing::Test {
  rtl::TObjectPtr<TMsgArray> Array = rtl::MakeObject<TMsgArray>();
  void Lines(std::initializer_list<const char*> lines) {
    rtl::TStringList* table = Array->MessagesArray();
    table->BeginUpdate();
    table->Clear();
    for (const char* line : lines) table->Add(line);
    table->EndUpdate();
  }
  std::vector<std::string> Of(rtl::TStringList* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->Count(); ++i) out.push_back(list->Strings(i).str());
    return out;
  }
};
}  // namespace

TEST_F(MsgArrayTest, TextsByIdentifierIgnoringCase) {
  Lines({"MsgCompile||Compile error: %s||||D||||", "  MsgDiscard  ||  Data packet has been discarded \t||",
         "MsgLines||first%0D%0Asecond%0Dthird%0Afourth"});
  EXPECT_EQ(Array->GetMessageText("msgcompile"), "Compile error: %s");
  EXPECT_EQ(Array->GetMessageText("MsgDiscard"), "Data packet has been discarded");
  EXPECT_EQ(Array->GetMessageText("MSGLINES"), "first\r\nsecond\rthird\nfourth");
  try {
    Array->GetMessageText("Nope");
    FAIL();
  } catch (const ui::EMsgArrayError& e) {
    EXPECT_EQ(e.Message(), "Invalid message ID [Nope]");
    EXPECT_EQ(e.ClassName(), "EMsgArrayError");
  }
  EXPECT_EQ(Array->GetMessageField(2, "Nope", "fallback", true), "fallback");
}

TEST_F(MsgArrayTest, DerivedListsFollowTheTable) {
  Lines({"X||A||B||C||Q", "Y||text||cap||||N||||||last||extra", " "});
  EXPECT_EQ(Of(Array->MessagesText()), (std::vector<std::string>{"A", "text", ""}));
  EXPECT_EQ(Of(Array->MessagesCaption()), (std::vector<std::string>{"B", "cap", ""}));
  EXPECT_EQ(Of(Array->DontShowAgainText()), (std::vector<std::string>{"D", "N", "D"}));
  EXPECT_EQ(Of(Array->LastDialogsResult()), (std::vector<std::string>{"", "last", ""}));
  // The blank line is an entry with an empty identifier.
  EXPECT_EQ(Array->GetMessageText(""), "");
}

TEST_F(MsgArrayTest, TranslatedTextsRewriteTheTable) {
  Lines({"X||A||B||C||Q", "MsgDiscard||Data packet has been discarded||||||D||||||||", "Z||z"});
  rtl::TObjectPtr<rtl::TStringList> translated = rtl::MakeObject<rtl::TStringList>();
  translated->Add("Eins");
  translated->Add("Zwei");
  Array->SetMessagesText(translated.get());
  EXPECT_EQ(Of(Array->MessagesArray()),
            (std::vector<std::string>{"X||Eins||B||C||D||||||||", "MsgDiscard||Zwei||||||D||||||||",
                                      "Z||z||||||D||||||||"}));  // written back, its text kept
  EXPECT_EQ(Array->GetMessageText("msgdiscard"), "Zwei");
  EXPECT_EQ(Array->GetMessageText("z"), "z");
  // The setter copied the list: later changes of the caller's list do nothing.
  translated->SetStrings(0, "Drei");
  EXPECT_EQ(Array->GetMessageText("X"), "Eins");
}

TEST_F(MsgArrayTest, ButtonCaptionsAndDialogTexts) {
  EXPECT_EQ(Array->ButtonCaptions()->Count(), 12);
  EXPECT_EQ(Array->ButtonCaptions()->Strings(8), "N&o to All");
  EXPECT_EQ(Array->AgainCheckCaption, "Do not ask me again");
  // Switching to the system's captions never blocks; slots it has no text for keep
  // ours, and switching back restores the defaults.
  Array->SetUseSystemCaptions(true);
  EXPECT_EQ(Array->ButtonCaptions()->Count(), 12);
  EXPECT_EQ(Array->ButtonCaptions()->Strings(11), "Unknown");
  for (int i = 0; i < 12; ++i) EXPECT_FALSE(Array->ButtonCaptions()->Strings(i).IsEmpty()) << i;
  Array->SetUseSystemCaptions(false);
  EXPECT_EQ(Array->ButtonCaptions()->Strings(0), "&Yes");
  EXPECT_EQ(rtl::GetStrProp(Array.get(), "ErrorCaption"), "Error");
}
