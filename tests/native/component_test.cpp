#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "persist/component.h"

namespace {

int gLive = 0;

// A component that logs its destruction by name and keeps two references.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, const std::string& name, std::vector<std::string>* freed = nullptr)
      : TComponent(owner), FFreed(freed) {
    SetName(name);
    ++gLive;
  }
  ~TProbe() override {
    --gLive;
    if (FFreed) FFreed->push_back(Name());
  }
  std::string_view ClassName() const override { return "TProbe"; }

  ComponentRef<TProbe> Buddy;
  ComponentRef<TProbe> Other;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    Buddy.Notify(component, operation);
    Other.Notify(component, operation);
  }

 private:
  std::vector<std::string>* FFreed;
};

class ComponentTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(gLive, 0) << "a component leaked or was freed twice"; }
};

TEST_F(ComponentTest, OwnerFreesOwnedComponentsLastCreatedFirst) {
  std::vector<std::string> freed;
  auto* owner = new TProbe(nullptr, "Owner", &freed);
  new TProbe(owner, "A", &freed);
  auto* b = new TProbe(owner, "B", &freed);
  new TProbe(b, "B1", &freed);  // owned one level down
  new TProbe(owner, "C", &freed);
  ASSERT_EQ(owner->Components().size(), 3u);
  EXPECT_EQ(b->Owner(), owner);

  delete owner;
  EXPECT_EQ(freed, (std::vector<std::string>{"Owner", "C", "B", "B1", "A"}));
}

TEST_F(ComponentTest, DeletingAnOwnedComponentEarlyRemovesItFromItsOwner) {
  std::vector<std::string> freed;
  TProbe owner(nullptr, "Owner", &freed);
  auto* a = new TProbe(&owner, "A", &freed);
  auto* b = new TProbe(&owner, "B", &freed);
  auto* c = new TProbe(&owner, "C", &freed);

  delete b;
  EXPECT_EQ(owner.Components(), (std::vector<TComponent*>{a, c}));
  EXPECT_EQ(owner.FindComponent("B"), nullptr);
  delete a;
  delete c;
  EXPECT_TRUE(owner.Components().empty());
  EXPECT_EQ(freed, (std::vector<std::string>{"B", "A", "C"}));
}

TEST_F(ComponentTest, FindComponentIgnoresCaseAndSearchesOnlyOwnedComponents) {
  TProbe owner(nullptr, "Owner");
  auto* label = new TProbe(&owner, "URLLabel1");
  new TProbe(label, "Inner");
  EXPECT_EQ(owner.FindComponent("urllabel1"), label);
  EXPECT_EQ(owner.FindComponent("URLLABEL1"), label);
  EXPECT_EQ(owner.FindComponent("URLLabel"), nullptr);
  EXPECT_EQ(owner.FindComponent("Inner"), nullptr);
  EXPECT_EQ(owner.FindComponent("Owner"), nullptr);
  new TProbe(&owner, "");
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST_F(ComponentTest, ReferenceIsClearedWhenItsTargetIsDestroyed) {
  TProbe form(nullptr, "Form");
  // Target owned by the same owner, created after and before the holder.
  auto* holder = new TProbe(&form, "Holder");
  auto* later = new TProbe(&form, "Later");
  auto* earlier = new TProbe(&form, "Earlier");
  holder->Buddy.Set(*holder, later);
  delete later;
  EXPECT_EQ(holder->Buddy.Get(), nullptr);

  auto* second = new TProbe(&form, "Second");
  second->Buddy.Set(*second, earlier);
  delete earlier;
  EXPECT_EQ(second->Buddy.Get(), nullptr);

  // Target with no owner, and target owned by another form.
  auto* loose = new TProbe(nullptr, "Loose");
  holder->Buddy.Set(*holder, loose);
  delete loose;
  EXPECT_EQ(holder->Buddy.Get(), nullptr);

  auto* otherForm = new TProbe(nullptr, "OtherForm");
  auto* foreign = new TProbe(otherForm, "Foreign");
  holder->Other.Set(*holder, foreign);
  delete otherForm;  // frees the target through its owner
  EXPECT_EQ(holder->Other.Get(), nullptr);
}

TEST_F(ComponentTest, TargetReferencedBySeveralHoldersClearsThemAll) {
  TProbe formA(nullptr, "FormA");
  TProbe formB(nullptr, "FormB");
  auto* target = new TProbe(nullptr, "Target");
  auto* sameOwner1 = new TProbe(&formA, "H1");
  auto* sameOwner2 = new TProbe(&formA, "H2");
  auto* foreign = new TProbe(&formB, "H3");
  auto* gone = new TProbe(&formB, "H4");
  for (TProbe* holder : {sameOwner1, sameOwner2, foreign, gone}) holder->Buddy.Set(*holder, target);
  sameOwner2->Other.Set(*sameOwner2, target);
  delete gone;  // a holder that goes first must not be told later

  delete target;
  EXPECT_EQ(sameOwner1->Buddy.Get(), nullptr);
  EXPECT_EQ(sameOwner2->Buddy.Get(), nullptr);
  EXPECT_EQ(sameOwner2->Other.Get(), nullptr);
  EXPECT_EQ(foreign->Buddy.Get(), nullptr);
}

TEST_F(ComponentTest, RetargetingOneReferenceKeepsTheNoticeOtherReferencesNeed) {
  // Two references of one holder to the same target, then one moves away.
  auto* holder = new TProbe(nullptr, "Holder");
  auto* target = new TProbe(nullptr, "Target");
  holder->Buddy.Set(*holder, target);
  holder->Other.Set(*holder, target);
  holder->Buddy.Set(*holder, nullptr);
  delete target;
  EXPECT_EQ(holder->Other.Get(), nullptr);

  // Two components referring to each other, then one lets go.
  auto* a = new TProbe(nullptr, "A");
  a->Buddy.Set(*a, holder);
  holder->Buddy.Set(*holder, a);
  holder->Buddy.Set(*holder, nullptr);
  delete holder;
  EXPECT_EQ(a->Buddy.Get(), nullptr);
  delete a;
}

TEST_F(ComponentTest, HolderDestroyedBeforeItsTargetLeavesTheTargetSafe) {
  std::vector<std::string> freed;
  auto* form = new TProbe(nullptr, "Form", &freed);
  auto* early = new TProbe(form, "Early", &freed);
  auto* late = new TProbe(form, "Late", &freed);
  // Each refers to the other; the owner frees Late first, then Early.
  early->Buddy.Set(*early, late);
  late->Buddy.Set(*late, early);
  auto* outside = new TProbe(nullptr, "Outside", &freed);
  outside->Buddy.Set(*outside, early);

  delete form;
  EXPECT_EQ(outside->Buddy.Get(), nullptr);
  delete outside;
  EXPECT_EQ(freed, (std::vector<std::string>{"Form", "Late", "Early", "Outside"}));
}

}  // namespace
