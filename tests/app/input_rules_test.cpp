// Key filters, change rules and leave rules of the settings edits, driven as
// the user and the program drive them.
#include "window_fixture.h"

namespace {

TEST_F(WindowTest, PhoneFilterTakesDigitsAndALeadingPlusOnly) {
  fw::TEdit* tel = w->edt_tel[0];
  Type(tel, "+49");
  EXPECT_EQ(tel->Text(), "+49");
  Type(tel, "+ a-#*\r\x16\x1A" "1");  // punctuation, blank, Enter, paste and undo keys
  EXPECT_EQ(tel->Text(), "+491");

  fw::TEdit* sms = w->edt_sms[2];  // one filter serves all eight boxes
  sms->SetText("49");
  char key = '+';
  w->edt_tel1KeyPress(sms, key);  // refused whatever the caret position
  EXPECT_EQ(key, 0);
  Type(sms, "\b\b+");
  EXPECT_EQ(sms->Text(), "+");
  Type(sms, "0123456789012345678");  // at most 16 characters are typed
  EXPECT_EQ(sms->Text(), "+012345678901234");
  char high = char(0xB1);  // 8-bit characters are no digits
  w->edt_tel1KeyPress(sms, high);
  EXPECT_EQ(high, 0);
}

TEST_F(WindowTest, NumberFiltersTakeDigitsAndBackspaceOnly) {
  for (fw::TEdit* e : {w->edt_rtt, w->edt_adt, w->edt_pwd, w->edt_volo, w->edt_relaytime}) {
    SCOPED_TRACE(e->Name());
    for (char c : std::string("+- aX.\r\x03\x16\x1A")) {
      EXPECT_EQ(e->KeyPress(c), 0) << int(c);
    }
    EXPECT_EQ(e->KeyPress('7'), '7');
    EXPECT_EQ(e->KeyPress('\b'), '\b');
  }
  for (fw::TEdit* e : {w->edt_sH, w->edt_sm, w->edt_PH, w->edt_Pm}) {
    EXPECT_EQ(e->KeyPress('-'), '-');
    EXPECT_EQ(e->KeyPress('5'), '5');
    EXPECT_EQ(e->KeyPress('\b'), '\b');
    EXPECT_EQ(e->KeyPress('+'), 0);
    EXPECT_EQ(e->KeyPress(':'), 0);
  }
  for (fw::TEdit* e : {w->edt_name[0], w->edt_name_rec[7]}) EXPECT_EQ(e->KeyPress('+'), '+');
}

TEST_F(WindowTest, DeletingTheLastDigitRestoresAFixedText) {
  struct { fw::TEdit* e; const char* start; const char* emptied; } cases[] = {
      {w->edt_rtt, "7", "0"}, {w->edt_adt, "7", "1"}, {w->edt_volo, "7", "1"},
      {w->edt_relaytime, "7", "0"}, {w->edt_pwd, "7", "517394"}};
  for (auto& c : cases) {
    c.e->SetText(c.start);
    c.e->TypeChar('\b');
    EXPECT_EQ(c.e->Text(), c.emptied) << c.e->Name();
  }
  // An emptied alarm delay already reads "1", so a typed 0 gives 10.
  w->edt_adt->TypeChar('0');
  EXPECT_EQ(w->edt_adt->Text(), "10");
}

TEST_F(WindowTest, TypingPastTheUpperBoundGivesTheBound) {
  w->edt_rtt->SetText("");
  EXPECT_EQ(w->edt_rtt->Text(), "0");
  Type(w->edt_rtt, "\b25");
  EXPECT_EQ(w->edt_rtt->Text(), "025");
  w->edt_rtt->SetText("25");
  w->edt_rtt->TypeChar('0');
  EXPECT_EQ(w->edt_rtt->Text(), "240");
  w->edt_relaytime->SetText("13");
  w->edt_relaytime->TypeChar('0');
  EXPECT_EQ(w->edt_relaytime->Text(), "120");
  w->edt_adt->SetText("9");
  w->edt_adt->TypeChar('1');
  EXPECT_EQ(w->edt_adt->Text(), "90");
  w->edt_pwd->SetText("1");
  Type(w->edt_pwd, "23456789");
  EXPECT_EQ(w->edt_pwd->Text(), "123456");
}

// Values that arrive from a profile or the controller pass the same rules.
TEST_F(WindowTest, ProgramSetValuesAreCorrectedByTheChangeRules) {
  struct { fw::TEdit* e; const char* in; const char* out; } cases[] = {
      {w->edt_rtt, "007", "007"},       {w->edt_rtt, "-5", "-5"},          {w->edt_rtt, "241", "240"},
      {w->edt_rtt, "99999999999", "0"}, {w->edt_rtt, "$F0", "$F0"},        {w->edt_rtt, "0xF1", "240"},
      {w->edt_rtt, " 12", " 12"},       {w->edt_rtt, "12 ", "0"},          {w->edt_rtt, "abc", "0"},
      {w->edt_adt, "-5", "1"},          {w->edt_adt, "0", "1"},           {w->edt_adt, "91", "90"},
      {w->edt_adt, "x", "1"},           {w->edt_adt, "90", "90"},          {w->edt_adt, "1", "1"},
      {w->edt_relaytime, "-5", "0"},    {w->edt_relaytime, "121", "120"},  {w->edt_relaytime, "abc", "0"},
      {w->edt_relaytime, "0", "0"},     {w->edt_volo, "150", "99"},        {w->edt_volo, "100", "99"},
      {w->edt_volo, "0", "1"},          {w->edt_volo, "-5", "1"},          {w->edt_volo, "", "1"},
      {w->edt_volo, "99", "99"},        {w->edt_pwd, "12345678", "12345678"}, {w->edt_pwd, "ab", "ab"},
      {w->edt_pwd, "", "517394"},
  };
  for (auto& c : cases) {
    c.e->SetText(c.in);
    EXPECT_EQ(c.e->Text(), c.out) << c.e->Name() << " <- \"" << c.in << '"';
  }
  // The time boxes have no change rule at all.
  for (const char* v : {"99", "--", "", "x-y"}) {
    w->edt_sH->SetText(v);
    EXPECT_EQ(w->edt_sH->Text(), v);
  }
  // Message texts longer than the typing limit are kept whole.
  const std::string long_text(40, 'M');
  w->edt_name[0]->SetText(long_text);
  EXPECT_EQ(w->edt_name[0]->Text(), long_text);
}

TEST_F(WindowTest, SettingTheSameTextRunsNoRule) {
  // The alarm delay starts below its range; setting the same text is no
  // change, so it stays, while any real change is corrected.
  int changes = 0;
  auto rule = w->edt_adt->OnChange;
  w->edt_adt->OnChange = [&](fw::TObject* s) { ++changes; rule(s); };
  w->edt_adt->SetText("0");
  EXPECT_EQ(w->edt_adt->Text(), "0");
  EXPECT_EQ(changes, 0);
  w->edt_adt->SetText("00");
  EXPECT_EQ(w->edt_adt->Text(), "1");
  // Once for "00", once more for the "1" the rule set, which is in range.
  EXPECT_EQ(changes, 2);
}

TEST_F(WindowTest, LeavingATimeBoxTidiesADash) {
  w->Show();
  struct { const char* in; const char* out; } cases[] = {{"1-", "--"}, {"-", "--"}, {"--", "--"}, {"99", "99"},
                                                         {"", ""},     {"123", "123"}};
  for (fw::TEdit* e : {w->edt_sH, w->edt_sm, w->edt_PH, w->edt_Pm}) {
    e->SetVisible(true);
    for (auto& c : cases) {
      e->SetText(c.in);
      e->SetFocus();
      ASSERT_TRUE(e->Focused()) << e->Name();
      w->edt_rtt->SetFocus();
      EXPECT_EQ(e->Text(), c.out) << e->Name() << " <- \"" << c.in << '"';
    }
    // Typing through the filter: a dash typed in the middle is tidied up on
    // leaving.
    e->SetText("");
    e->SetFocus();
    Type(e, "1-");
    EXPECT_EQ(e->Text(), "1-");
    w->edt_rtt->SetFocus();
    EXPECT_EQ(e->Text(), "--");
  }
  // Other boxes have no leave rule.
  w->edt_tel[0]->SetText("1");
  w->edt_tel[0]->SetFocus();
  w->edt_rtt->SetFocus();
  EXPECT_EQ(w->edt_tel[0]->Text(), "1");
}

TEST_F(WindowTest, ClosingTheWindowRunsNoRule) {
  w->Show();
  w->edt_sH->SetVisible(true);
  // Every leave and change handler of the edits counts its calls.
  int calls = 0;
  std::string which;
  for (fw::TComponent* c : w->Components()) {
    auto* e = dynamic_cast<fw::TEdit*>(c);
    if (!e) continue;
    for (fw::TNotifyEvent* handler : {&e->OnExit, &e->OnChange})
      if (*handler)
        *handler = [&calls, &which, name = e->Name(), rule = *handler](fw::TObject* s) {
          ++calls;
          which += name + " ";
          rule(s);
        };
  }
  // The counting works: leaving a time box runs its rule.
  w->edt_sH->SetFocus();
  w->edt_sH->SetText("1-");
  w->edt_rtt->SetFocus();
  ASSERT_EQ(w->edt_sH->Text(), "--");
  ASSERT_GT(calls, 0);

  // The focused box goes away with the window: no rule touches it or the
  // controls freed before it.
  w->edt_sH->SetText("1-");
  w->edt_sH->SetFocus();
  ASSERT_TRUE(w->edt_sH->Focused());
  calls = 0;
  which.clear();
  w.reset();
  EXPECT_EQ(calls, 0) << which;
}

}  // namespace
