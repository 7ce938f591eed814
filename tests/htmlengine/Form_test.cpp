// Forms through a fake control host: what a page's FORM, INPUT, SELECT and
// TEXTAREA build, reset, radio groups, the submitted pairs, sizes and focus.
#include "PageFixture.h"

#include "htmlengine/HtmlSymbols.h"
#include "htmlengine/PageForms.h"

#include <gtest/gtest.h>

using namespace htmlengine;
using namespace htmlengine::testing;

namespace {

// A widget that keeps text, mark and colour, and can play the user.
class FormFake : public FakeWidget {
public:
    explicit FormFake(const FormWidgetOptions& o) : FakeWidget(o), text(o.Text), checked(o.Checked) {}
    void SetSize(int32_t w, int32_t h) override {
        if (w >= 0) width = w;
        if (h >= 0) height = h;
    }
    void SetText(const std::string& t) override { text = t; }
    std::string Text() const override { return text; }
    void SetChecked(bool c) override { checked = c; }
    bool Checked() const override { return checked; }
    void SetBackground(TColor c) override { background = c; }

    void Type(const std::string& t) { text = t; }
    void Click() {
        if (options.Kind == FormWidgetKind::CheckBox) checked = !checked;
        if (options.Kind == FormWidgetKind::Radio) checked = true;
        options.Events->DoClick();
    }
    void PressReturn() { options.Events->DoReturn(); }

    std::string text;
    bool checked;
    TColor background = 0;
};

class FormHost : public FormControlHost {
public:
    std::unique_ptr<FormWidget> Create(const FormWidgetOptions& o) override {
        auto w = std::make_unique<FormFake>(o);
        made.push_back(w.get());
        return w;
    }
    std::vector<FormFake*> made;
};

struct FormPage : Page {
    explicit FormPage(const std::string& html) {
        doc.Controls = &host;
        doc.OnFormSubmit = [this](FormSubmission s) { submitted.push_back(std::move(s)); };
        Load(html);
    }
    ThtmlForm& Form(size_t i) { return *doc.Forms.at(i); }
    TFormControlObj& Control(size_t i) { return *doc.AllControls.at(i); }
    template <class T> T& As(size_t i) { return dynamic_cast<T&>(Control(i)); }
    FormFake& WidgetOf(size_t i) { return static_cast<FormFake&>(*Control(i).Widget); }
    std::vector<std::string> Submit() {
        Form(0).SubmitForm(nullptr);
        return submitted.empty() ? std::vector<std::string>{} : submitted.back().Results;
    }

    FormHost host;
    std::vector<FormSubmission> submitted;
};

std::string Kind(const TFormControlObj* c) {
    if (dynamic_cast<const THiddenFormControlObj*>(c)) return "hidden";
    if (dynamic_cast<const TImageFormControlObj*>(c)) return "image";
    if (auto* e = dynamic_cast<const TEditFormControlObj*>(c)) return "edit" + std::to_string(e->SizeChars);
    if (auto* b = dynamic_cast<const TButtonFormControlObj*>(c)) return "button" + std::to_string(b->ButtonKind);
    if (dynamic_cast<const TCheckBoxFormControlObj*>(c)) return "check";
    if (dynamic_cast<const TRadioButtonFormControlObj*>(c)) return "radio";
    if (dynamic_cast<const TComboFormControlObj*>(c)) return "combo";
    if (dynamic_cast<const TListBoxFormControlObj*>(c)) return "list";
    if (dynamic_cast<const TTextAreaFormControlObj*>(c)) return "memo";
    return "?";
}

// Every kind of control in one form, and one control outside any form.
const char* const kFullForm =
    "<form method=postXYZ action=\"/cgi/go\" target=_top enctype=text/plain>"
    "<input type=hidden name=h value=secret>"
    "<input name=plain value=abc>"
    "<input type=PassWord name=pw maxlength=8>"
    "<input type=text name=t size=\"10, 1\">"
    "<input type=checkbox name=c1 checked onclick=\"tick()\">"
    "<input type=checkbox name=c2 value=yes>"
    "<input type=radio name=r value=1 checked>"
    "<input type=radio name=R value=2>"
    "<input type=image name=go src=go.gif>"
    "<input type=submit name=send value=Send>"
    "<input type=reset>"
    "<input type=button>"
    "<input type=weird name=w>"
    "<select name=s><option value=1>One<option selected>Two</select>"
    "<select name=m multiple><option selected>A<option>B<option selected value=cc>C</select>"
    "<textarea name=ta>line1\nline2</textarea>"
    "</form><input name=outside>";

}  // namespace

TEST(Forms, PageBuildsEveryKindOfControlInItsForm) {
    FormPage p(kFullForm);
    ASSERT_EQ(p.doc.Forms.size(), 2u);
    ThtmlForm& f = p.Form(0);
    EXPECT_EQ(f.Method, "post");
    EXPECT_EQ(f.Action, "/cgi/go");
    EXPECT_EQ(f.Target, "_top");
    EXPECT_EQ(f.EncType, "text/plain");
    std::vector<std::string> kinds;
    for (TFormControlObj* c : f.FormControls) kinds.push_back(Kind(c));
    EXPECT_EQ(kinds, (std::vector<std::string>{"hidden", "edit20", "edit20", "edit10", "check", "check", "radio",
                                               "radio", "image", "button0", "button1", "button2", "edit20",
                                               "combo", "list", "memo"}));
    EXPECT_EQ(f.VisibleCount, 15);
    EXPECT_EQ(p.doc.AllControls.size(), 17u);
    for (TFormControlObj* c : f.FormControls) EXPECT_EQ(c->Form, &f);

    // A control outside any form gets a form of its own with the defaults.
    ThtmlForm& implicit = p.Form(1);
    ASSERT_EQ(implicit.FormControls.size(), 1u);
    EXPECT_EQ(implicit.FormControls[0]->Name, "outside");
    EXPECT_EQ(implicit.Method, "Get");
    EXPECT_TRUE(implicit.Action.empty());

    // Widgets: none for the hidden and the image control; captions, marks, limits.
    EXPECT_EQ(p.host.made.size(), 15u);
    EXPECT_EQ(p.Control(0).Widget, nullptr);
    EXPECT_EQ(p.Control(8).Widget, nullptr);
    EXPECT_EQ(p.WidgetOf(1).text, "abc");
    EXPECT_TRUE(p.WidgetOf(2).options.Password);
    EXPECT_EQ(p.WidgetOf(2).options.MaxLength, 8);
    EXPECT_FALSE(p.WidgetOf(3).options.Password);
    EXPECT_EQ(p.WidgetOf(2).options.Font.Name, "Courier New");
    EXPECT_EQ(p.WidgetOf(2).options.Font.Size, 10);
    EXPECT_TRUE(p.WidgetOf(4).checked);
    EXPECT_EQ(p.Control(4).OnClickText, "tick()");
    EXPECT_EQ(p.Control(4).Value, "on");
    EXPECT_EQ(p.Control(5).Value, "yes");
    EXPECT_TRUE(p.Control(4).OnBaseline && p.Control(6).OnBaseline && !p.Control(1).OnBaseline);
    EXPECT_TRUE(p.WidgetOf(6).checked);
    EXPECT_FALSE(p.WidgetOf(7).checked);
    EXPECT_EQ(p.WidgetOf(9).text, "Send");
    EXPECT_EQ(p.WidgetOf(10).text, "Reset");
    EXPECT_EQ(p.WidgetOf(11).text, "Button");
    EXPECT_EQ(p.Control(11).Value, "Button");

    // The text: no character for the hidden control; the image control is an
    // image followed by its (widgetless) control character.
    auto* s = dynamic_cast<TSection*>(p.doc[0]);
    ASSERT_NE(s, nullptr);
    std::string want(7, ControlChar);
    want += ImageChar;
    want += std::string(8, ControlChar);
    EXPECT_EQ(s->Chars.substr(0, want.size()), want);
    ASSERT_EQ(s->Images.Count(), 1);
    EXPECT_EQ(s->Images[0]->FormControl, &p.Control(8));
    EXPECT_EQ(dynamic_cast<TRadioButtonFormControlObj&>(p.Control(6)).HomeCell, static_cast<TCell*>(&p.doc));
}

TEST(Forms, FormsEndAndStartAgain) {
    FormPage p("<input name=a><form action=x><input name=b></form><input name=c><form><input name=d>"
               "<pre><input name=e><form action=y><input name=f></form><input name=g></pre>");
    std::vector<std::string> groups;
    for (const auto& f : p.doc.Forms) {
        std::string g = f->Action + ":";
        for (TFormControlObj* c : f->FormControls) g += c->Name;
        groups.push_back(g);
    }
    EXPECT_EQ(groups, (std::vector<std::string>{":a", "x:b", ":c", ":de", "y:f", ":g"}));
    p.doc.ClearDocument();
    EXPECT_TRUE(p.doc.Forms.empty());
}

TEST(Forms, ResetRestoresWhatThePageSaid) {
    FormPage p(kFullForm);
    p.WidgetOf(1).Type("changed");
    p.WidgetOf(4).Click();                     // c1 off
    p.WidgetOf(5).Click();                     // c2 on
    p.WidgetOf(7).Click();                     // R on, r off
    p.WidgetOf(13).SetItemIndex(0);
    p.WidgetOf(14).SetItemSelected(1, true);
    p.WidgetOf(15).SetLines({"other"});
    EXPECT_FALSE(p.WidgetOf(6).checked);
    p.WidgetOf(10).Click();                    // the reset button
    EXPECT_EQ(p.WidgetOf(1).text, "abc");
    EXPECT_TRUE(p.WidgetOf(4).checked);
    EXPECT_FALSE(p.WidgetOf(5).checked);
    EXPECT_TRUE(p.WidgetOf(6).checked);
    EXPECT_FALSE(p.WidgetOf(7).checked);
    EXPECT_EQ(p.WidgetOf(13).ItemIndex(), 1);
    EXPECT_FALSE(p.WidgetOf(14).ItemSelected(1));
    EXPECT_EQ(p.WidgetOf(15).lines, (std::vector<std::string>{"line1", "line2"}));
    EXPECT_TRUE(p.submitted.empty());          // reset submits nothing
}

TEST(Forms, RadioButtonsOfOneNameExcludeEachOtherInTheirForm) {
    FormPage p("<form><input type=radio name=a checked><input type=radio name=A>"
               "<input type=radio checked><input type=radio></form>"
               "<form><input type=radio name=a checked></form>");
    p.WidgetOf(1).Click();
    EXPECT_FALSE(p.WidgetOf(0).checked);       // names compare without case
    EXPECT_TRUE(p.WidgetOf(1).checked);
    p.WidgetOf(0).Click();
    EXPECT_FALSE(p.WidgetOf(1).checked);
    p.WidgetOf(3).Click();
    EXPECT_TRUE(p.WidgetOf(2).checked);        // radios without a name are no group
    EXPECT_TRUE(p.WidgetOf(4).checked);        // another form is another group
}

TEST(Forms, SubmissionListsTheValuesOfTheControls) {
    FormPage p(kFullForm);
    std::vector<std::pair<TFormControlObj*, std::string>> clicks;
    p.doc.OnObjectClick = [&](TFormControlObj& c, const std::string& onClick) { clicks.push_back({&c, onClick}); };
    p.WidgetOf(9).Click();                     // submit, NAME and VALUE given
    ASSERT_EQ(p.submitted.size(), 1u);
    const FormSubmission& s = p.submitted[0];
    EXPECT_EQ(s.Action, "/cgi/go");
    EXPECT_EQ(s.Method, "post");
    EXPECT_EQ(s.EncType, "text/plain");
    EXPECT_EQ(s.Target, "_top");
    EXPECT_EQ(s.Results, (std::vector<std::string>{"h=secret", "plain=abc", "pw=", "t=", "c1=on", "r=1", "w=",
                                                   "s=Two", "m=A", "m=cc", "ta=line1\r\nline2", "send=Send"}));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, &p.Control(9));

    // Typed text and changed marks; Enter in the password field submits
    // without a pair of a button.
    p.WidgetOf(2).Type("geheim");
    p.WidgetOf(4).Click();
    p.WidgetOf(5).Click();
    p.WidgetOf(7).Click();
    p.WidgetOf(14).SetItemSelected(0, false);
    p.WidgetOf(2).PressReturn();
    ASSERT_EQ(p.submitted.size(), 2u);
    EXPECT_EQ(p.submitted[1].Results, (std::vector<std::string>{"h=secret", "plain=abc", "pw=geheim", "t=",
                                                                "c2=yes", "R=2", "w=", "s=Two", "m=cc",
                                                                "ta=line1\r\nline2"}));
    EXPECT_EQ(clicks.at(1).second, "tick()");  // the check box's ONCLICK reached the hook

    // Enter elsewhere and plain buttons submit nothing.
    p.WidgetOf(15).PressReturn();
    p.WidgetOf(11).Click();
    EXPECT_EQ(p.submitted.size(), 2u);
}

TEST(Forms, ImageControlSubmitsItsClickPointOnce) {
    FormPage p("<form><input type=image name=go><input type=image><input type=submit></form>");
    auto& named = p.Control(0);
    named.SetClickPoint(5, 7);
    named.ImageClicked();
    ASSERT_EQ(p.submitted.size(), 1u);
    EXPECT_EQ(p.submitted[0].Results, (std::vector<std::string>{"go.x=5", "go.y=7"}));
    p.WidgetOf(2).Click();                     // the submit button, without NAME: no pair
    EXPECT_TRUE(p.submitted[1].Results.empty());
    p.Control(1).SetClickPoint(0, 3);
    p.Control(1).ImageClicked();
    EXPECT_EQ(p.submitted[2].Results, (std::vector<std::string>{"x=0", "y=3"}));
}

TEST(Forms, ClickOnTheImageOfAnImageControlReachesIt) {
    FormPage p("<form><input type=image name=go width=40 height=30 border=0></form>");
    p.Paint();
    TFormControlObj* control = nullptr;
    TUrlTarget target;
    ASSERT_TRUE(p.doc.UrlAtPoint(p.measurer, 12, 10, control, target));
    ASSERT_EQ(control, &p.Control(0));
    control->ImageClicked();
    ASSERT_EQ(p.submitted.size(), 1u);
    EXPECT_EQ(p.submitted[0].Results, (std::vector<std::string>{"go.x=12", "go.y=10"}));
}

TEST(Forms, WithoutTheHookNothingIsSubmitted) {
    FormPage p("<form><input name=a><input type=submit name=s></form>");
    p.doc.OnFormSubmit = nullptr;
    p.WidgetOf(1).Click();
    p.WidgetOf(0).PressReturn();
    EXPECT_TRUE(p.submitted.empty());
}

TEST(Forms, AHandlerThatClearsThePageEndsTheClick) {
    FormPage p("<form><input name=a><input type=reset><input type=submit name=s value=v>"
               "<input type=radio name=r><input type=image></form>");
    p.doc.OnObjectClick = [&](TFormControlObj&, const std::string&) { p.doc.ClearDocument(); };
    p.WidgetOf(1).Click();                     // frees the button while it handles the click
    EXPECT_TRUE(p.doc.Forms.empty());
    p.Load("<form><input type=submit name=s value=v><input type=image></form>");
    p.WidgetOf(0).Click();
    EXPECT_TRUE(p.submitted.empty());
    p.Load("<form><input type=image></form>");
    p.Control(0).ImageClicked();
    EXPECT_TRUE(p.submitted.empty());
}

TEST(Forms, EditAndButtonSizes) {
    struct Case { const char* size; int32_t chars; } cases[] = {
        {nullptr, 20}, {"10", 10}, {"0", 20}, {"-3", 20}, {"10, 1", 10}, {"5 ,3", 5}, {"7,3", 20},
        {"abc, d", 20}, {"99999999", 500}, {"2147483647 ,", 500},
    };
    for (const Case& c : cases) {
        std::string html = "<input";
        if (c.size) html += std::string(" size=\"") + c.size + "\"";
        FormPage p(html + ">");
        auto& edit = p.As<TEditFormControlObj>(0);
        EXPECT_EQ(edit.SizeChars, c.chars) << (c.size ? c.size : "none");
        EXPECT_EQ(edit.Width(), 7 * c.chars + 5) << (c.size ? c.size : "none");  // Courier New 10: 7 px
    }
    // Buttons measure their caption in the panel's font (8 pt: 11 px high, 5 px a letter).
    FormPage p("<input type=submit><input type=button value=\"Los geht's\">");
    EXPECT_EQ(p.Control(0).Width(), 6 * 5 + 20);
    EXPECT_EQ(p.Control(0).Height(), 11 + 8);
    EXPECT_EQ(p.Control(1).Width(), p.measurer.TextWidth(p.measurer.DefaultGuiFont(), "Los geht's") + 20);
}

TEST(Forms, FocusKeepsControlsOutOfViewReachable) {
    std::string html = "<form><input name=a>";
    for (int i = 0; i < 60; ++i) html += "<br>z";
    html += "<input name=b></form>";
    FormPage p(html);
    std::vector<TFormControlObj*> entered;
    p.doc.OnControlEntered = [&](TFormControlObj& c) { entered.push_back(&c); };
    p.doc.PaintAt(p.canvas, {0, 0, 400, 200}, 0, 0, 400);
    FormFake& a = p.WidgetOf(0);
    FormFake& b = p.WidgetOf(1);
    EXPECT_TRUE(a.visible);
    EXPECT_FALSE(b.visible);
    a.options.Events->DoEnter();
    ASSERT_EQ(entered, (std::vector<TFormControlObj*>{&p.Control(0)}));
    EXPECT_TRUE(b.visible);                    // parked, so the focus can move to it
    EXPECT_EQ(b.left, -4000);
    EXPECT_EQ(a.left, 0);
    a.options.Events->DoExit();                // no control has the focus now
    EXPECT_FALSE(b.visible);
    EXPECT_TRUE(a.visible);
}

TEST(Forms, ManyControlsAndHugeSizesStayBounded) {
    std::string html = "<form><textarea rows=999999999 cols=2147483647></textarea>"
                       "<input maxlength=2147483647 size=2147483647>";
    for (int i = 0; i < 3000; ++i) html += "<input type=checkbox checked name=c" + std::to_string(i) + ">";
    FormPage p(html);
    ASSERT_EQ(p.Form(0).FormControls.size(), 3002u);
    EXPECT_EQ(p.Control(0).Width(), 500 * 7 + 5 + 4);
    EXPECT_EQ(p.Control(0).Height(), 500 * 13 + 5 + 4);
    EXPECT_EQ(p.Control(1).Width(), 500 * 7 + 5);
    EXPECT_EQ(p.WidgetOf(1).options.MaxLength, 2147483647);
    const std::vector<std::string> pairs = p.Submit();
    ASSERT_EQ(pairs.size(), 3002u);            // the unnamed text area and edit give "=" each
    EXPECT_EQ(pairs.back(), "c2999=on");
}
