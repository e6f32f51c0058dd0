#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "formc/text_form.h"
#include "persist/class_registry.h"
#include "persist/form_fields.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "ui/action.h"

namespace {

// Writes down every value its link hands it.
class RecordingClient : public ActionClient {
 public:
  void ActionCaptionChanged(const std::string& caption) override { log.push_back("caption " + caption); }
  void ActionEnabledChanged(bool enabled) override { log.push_back(enabled ? "enabled" : "disabled"); }
  void ActionHintChanged(const std::string& hint) override { log.push_back("hint " + hint); }
  void ActionVisibleChanged(bool visible) override { log.push_back(visible ? "visible" : "hidden"); }
  void ActionCheckedChanged(bool checked) override { log.push_back(checked ? "checked" : "unchecked"); }
  void ActionShortCutChanged(TShortCut key) override { log.push_back("shortcut " + std::to_string(key)); }
  void ActionImageChanged() override { log.push_back("image"); }
  void ActionRemoved() override {
    log.push_back("removed");
    removedWhileLinked = link.Action() != nullptr;
  }

  TActionLink link{*this};
  std::vector<std::string> log;
  bool removedWhileLinked = false;
};

class TTestActionList : public TCustomActionList {
 public:
  using TCustomActionList::TCustomActionList;
  std::string_view ClassName() const override { return "TActionList"; }
};

// Holds components only: the loader must refuse an action nested in it.
class TTestBox : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TTestBox"; }
};

class TActionForm : public TComponent {
 public:
  TActionForm() : TComponent(nullptr) {}
  std::string_view ClassName() const override { return "TActionForm"; }
  bool BindField(std::string_view name, TComponent* component) override {
    static const std::array<FieldDef<TActionForm>, 2> fields{Field("Save", &TActionForm::Save),
                                                             Field("Actions", &TActionForm::Actions)};
    return BindFieldFrom<TActionForm>(fields, *this, name, component);
  }
  std::any FindHandler(std::string_view name) override {
    static const std::array<HandlerDef<TActionForm>, 2> handlers{Handler("SaveExecute", &TActionForm::SaveExecute),
                                                                 Handler("SaveUpdate", &TActionForm::SaveUpdate)};
    return FindHandlerIn<TActionForm>(handlers, *this, name);
  }
  void SaveExecute(TObject* sender) { calls.push_back({"execute", sender}); }
  void SaveUpdate(TObject* sender) { calls.push_back({"update", sender}); }

  TAction* Save = nullptr;
  TTestActionList* Actions = nullptr;
  std::vector<std::pair<std::string, TObject*>> calls;
};

std::vector<uint8_t> Compile(std::string_view text) { return WriteFormStream(ParseTextForm(text)); }

class ActionTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterComponentClass<TAction>("TAction");
    RegisterComponentClass<TTestActionList>("TActionList");
    RegisterComponentClass<TTestBox>("TTestBox");
  }
};

using Log = std::vector<std::string>;

TEST_F(ActionTest, LinkHandsEveryValueOnLinkingAndOnlyRealChangesAfter) {
  TActionForm form;
  auto* action = new TAction(&form);
  action->SetCaption("&Save");
  action->SetEnabled(false);
  action->SetHint("Saves");
  action->SetShortCut(scCtrl | 'S');

  RecordingClient first, second;
  first.link.SetAction(action);
  EXPECT_EQ(first.log, (Log{"caption &Save", "disabled", "hint Saves", "visible", "unchecked",
                            "shortcut " + std::to_string(scCtrl | 'S'), "image"}));
  second.link.SetAction(action);
  first.log.clear();
  second.log.clear();

  // Assigning what the action holds already tells nobody.
  action->SetCaption("&Save");
  action->SetEnabled(false);
  action->SetHint("Saves");
  action->SetVisible(true);
  action->SetChecked(false);
  action->SetImageIndex(-1);
  EXPECT_TRUE(first.log.empty());

  action->SetCaption("Save &as");
  action->SetEnabled(true);
  action->SetHint("");
  action->SetVisible(false);
  action->SetChecked(true);
  action->SetImageIndex(2);
  const Log changes{"caption Save &as", "enabled", "hint ", "hidden", "checked", "image"};
  EXPECT_EQ(first.log, changes);
  EXPECT_EQ(second.log, changes);

  // An unlinked client hears no more; relinking the same action is no change.
  second.link.SetAction(nullptr);
  second.log.clear();
  first.log.clear();
  first.link.SetAction(action);
  action->SetCaption("Keep");
  EXPECT_EQ(first.log, Log{"caption Keep"});
  EXPECT_TRUE(second.log.empty());
}

TEST_F(ActionTest, DestroyedActionEmptiesItsLinksAndADestroyedClientIsForgotten) {
  TActionForm form;
  auto* action = new TAction(&form);
  RecordingClient stays;
  stays.link.SetAction(action);
  {
    RecordingClient goes;
    goes.link.SetAction(action);
  }
  // The client that went away is not told of this change (it would crash under a sanitizer).
  action->SetCaption("Changed");
  delete action;
  EXPECT_EQ(stays.link.Action(), nullptr);
  EXPECT_FALSE(stays.removedWhileLinked);
  EXPECT_EQ(stays.log.back(), "removed");
  EXPECT_FALSE(stays.link.Execute());
}

TEST_F(ActionTest, ClientMayDropItsLinkWhileItIsTold) {
  TActionForm form;
  auto* action = new TAction(&form);
  struct Dropping : RecordingClient {
    explicit Dropping(std::string on) : dropOn(std::move(on)) {}
    void ActionCaptionChanged(const std::string& caption) override {
      RecordingClient::ActionCaptionChanged(caption);
      if (caption == dropOn) link.SetAction(nullptr);
    }
    std::string dropOn;
  };
  action->SetCaption("Drop");
  Dropping early("Drop");
  early.link.SetAction(action);  // dropped while the link hands its first value
  EXPECT_EQ(early.log, Log{"caption Drop"});
  EXPECT_EQ(early.link.Action(), nullptr);

  Dropping later("Now");
  later.link.SetAction(action);
  RecordingClient other;
  other.link.SetAction(action);
  other.log.clear();
  action->SetCaption("Now");  // one client drops its link while the others are still to be told
  EXPECT_EQ(other.log, Log{"caption Now"});
  EXPECT_EQ(later.link.Action(), nullptr);
}

TEST_F(ActionTest, ExecuteUpdatesFirstAndRunsOnlyWhenEnabledWithAHandler) {
  TActionForm form;
  TAction action(&form);
  EXPECT_FALSE(action.Update());
  EXPECT_FALSE(action.Execute()) << "nothing to run";

  std::vector<std::string> calls;
  bool enableOnUpdate = false;
  action.SetOnUpdate([&](TObject* sender) {
    EXPECT_EQ(sender, &action);
    calls.push_back("update");
    action.SetEnabled(enableOnUpdate);
  });
  action.SetOnExecute([&](TObject* sender) {
    EXPECT_EQ(sender, &action);
    calls.push_back("execute");
  });
  EXPECT_FALSE(action.Execute()) << "OnUpdate disabled it";
  EXPECT_EQ(calls, Log{"update"});

  enableOnUpdate = true;
  RecordingClient client;
  client.link.SetAction(&action);
  calls.clear();
  EXPECT_TRUE(client.link.Execute());
  EXPECT_EQ(calls, (Log{"update", "execute"}));
  EXPECT_TRUE(action.Update());
}

TEST_F(ActionTest, FormStreamKeepsActionsInsideTheirListOwnedByTheForm) {
  TActionForm form;
  LoadForm(form, Compile(R"(object ActionForm1: TActionForm
  object Actions: TActionList
    object Save: TAction
      Caption = '&Save'
      Enabled = False
      Visible = False
      Checked = True
      Hint = 'Saves the file'
      ImageIndex = 3
      ShortCut = 16467
      OnExecute = SaveExecute
      OnUpdate = SaveUpdate
    end
    object Other: TAction
    end
  end
end
)"));
  ASSERT_NE(form.Save, nullptr);
  ASSERT_NE(form.Actions, nullptr);
  EXPECT_EQ(form.Save->Owner(), &form);
  EXPECT_EQ(form.Save->ActionList(), form.Actions);
  ASSERT_EQ(form.Actions->Actions().size(), 2u);
  EXPECT_EQ(form.Actions->Actions()[0], form.Save);
  EXPECT_EQ(form.Actions->Actions()[1]->Name(), "Other");

  const TAction& save = *form.Save;
  EXPECT_EQ(save.Caption(), "&Save");
  EXPECT_FALSE(save.Enabled());
  EXPECT_FALSE(save.Visible());
  EXPECT_TRUE(save.Checked());
  EXPECT_EQ(save.Hint(), "Saves the file");
  EXPECT_EQ(save.ImageIndex(), 3);
  EXPECT_EQ(save.ShortCut(), scCtrl | 'S');
  form.Save->SetEnabled(true);
  EXPECT_TRUE(form.Save->Execute());
  EXPECT_EQ(form.calls, (std::vector<std::pair<std::string, TObject*>>{{"update", form.Save}, {"execute", form.Save}}));

  // The list goes; its actions stay with the form, in no list.
  delete form.Actions;
  EXPECT_EQ(form.Save->ActionList(), nullptr);
  EXPECT_EQ(form.FindComponent("Other")->Owner(), &form);
}

TEST_F(ActionTest, FormStreamRefusesActionsOutsideAListAndShortCutsOutOfRange) {
  auto loadError = [](std::string_view text) {
    TActionForm form;
    try {
      LoadForm(form, Compile(text));
    } catch (const EFormError& e) {
      return std::string(e.what());
    }
    return std::string("loaded");
  };
  std::string message = loadError(R"(object ActionForm1: TActionForm
  object Box: TTestBox
    object Save: TAction
    end
  end
end
)");
  EXPECT_NE(message.find("\"Save\" (TAction)"), std::string::npos) << message;
  EXPECT_NE(message.find("cannot be held by object \"Box\""), std::string::npos) << message;

  for (std::string_view value : {"-1", "65536"}) {
    message = loadError(std::string(R"(object ActionForm1: TActionForm
  object Save: TAction
    ShortCut = )") + std::string(value) + R"(
  end
end
)");
    EXPECT_NE(message.find("ShortCut"), std::string::npos) << message;
    EXPECT_NE(message.find("out of range"), std::string::npos) << message;
  }
}

}  // namespace
