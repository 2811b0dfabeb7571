// Components: ownership and freeing, names, finding by name, notifications, the
// creation and destruction steps of data modules, and Assign.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/Component.h"
#include "rtl/DataModule.h"
#include "rtl/StringList.h"

namespace rtl {
namespace {

// Records its destruction and the notifications it receives.
class TProbe : public TComponent {
  RTL_CLASS_INFO

public:
  explicit TProbe(TComponent* owner = nullptr, std::vector<std::string>* log = nullptr) : TComponent(owner), FLog(log) {}
  ~TProbe() override {
    if (FLog) FLog->push_back("free " + Name().str());
  }
  void Loaded() override {
    TComponent::Loaded();
    if (FLog) FLog->push_back("loaded " + Name().str());
  }

  TComponent* FPartner = nullptr;  // a reference dropped when the partner goes

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FPartner) FPartner = nullptr;
  }

private:
  std::vector<std::string>* FLog;
};

const TClassInfo& TProbe::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TProbe>("TTestProbe", &TComponent::StaticClassInfo());
  return info;
}

TProbe* NewProbe(TComponent* owner, const char* name, std::vector<std::string>* log = nullptr) {
  TProbe* p = CreateObject<TProbe>(owner, log);
  p->SetName(name);
  return p;
}

// A component's own destruction runs before its components are freed.
TEST(ComponentTest, OwnerFreesItsComponentsLastFirst) {
  std::vector<std::string> log;
  TProbe* owner = NewProbe(nullptr, "Owner", &log);
  TProbe* a = NewProbe(owner, "A", &log);
  NewProbe(owner, "B", &log);
  NewProbe(a, "A1", &log);
  ASSERT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(a->Owner(), owner);
  EXPECT_EQ(a->ComponentIndex(), 0);
  FreeObject(owner);
  EXPECT_EQ(log, (std::vector<std::string>{"free Owner", "free B", "free A", "free A1"}));
}

TEST(ComponentTest, FreedComponentLeavesItsOwner) {
  TObjectPtr<TProbe> owner(NewProbe(nullptr, "Owner"));
  TProbe* a = NewProbe(owner.get(), "A");
  TProbe* b = NewProbe(owner.get(), "B");
  FreeObject(a);
  ASSERT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0), b);
  EXPECT_EQ(owner->FindComponent("A"), nullptr);
  try {
    owner->Components(1);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(owner->Components(-1), EListError);
}

TEST(ComponentTest, FindComponentIgnoresCase) {
  TObjectPtr<TComponent> owner = MakeObject<TComponent>();
  TProbe* button = NewProbe(owner.get(), "btnOK");
  NewProbe(owner.get(), "");
  NewProbe(owner.get(), "");
  EXPECT_EQ(owner->FindComponent("BTNok"), button);
  EXPECT_EQ(owner->FindComponent("btnOK2"), nullptr);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  EXPECT_EQ(owner->ComponentCount(), 3);
}

TEST(ComponentTest, NamesMustBeIdentifiersUniqueWithinTheOwner) {
  TObjectPtr<TComponent> owner = MakeObject<TComponent>();
  TProbe* first = NewProbe(owner.get(), "Btn");
  TProbe* second = NewProbe(owner.get(), "Other");
  struct Case {
    const char* name;
    const char* message;
  } cases[] = {
      {"1abc", "'1abc' is not a valid component name"},
      {"a b", "'a b' is not a valid component name"},
      {"BTN", "A component named BTN already exists"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      second->SetName(c.name);
      FAIL();
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(second->Name(), "Other");
  }
  first->SetName("BTN");  // its own name in another case
  EXPECT_EQ(first->Name(), "BTN");
  second->SetName("_x9");
  second->SetName("");
  EXPECT_TRUE(IsValidIdent("__Panel"));
  // Without owner only the form of the name counts.
  TObjectPtr<TComponent> lone = MakeObject<TComponent>();
  lone->SetName("Btn");
  EXPECT_THROW(lone->SetName("9"), EComponentError);
  // Taking in a component whose name is taken fails and leaves it where it was.
  TObjectPtr<TComponent> other = MakeObject<TComponent>();
  TProbe* stranger = NewProbe(other.get(), "Btn");
  EXPECT_THROW(owner->InsertComponent(stranger), EComponentError);
  EXPECT_EQ(stranger->Owner(), other.get());
}

TEST(ComponentTest, InsertMovesBetweenOwnersAndRefusesCycles) {
  std::vector<std::string> log;
  TObjectPtr<TProbe> first(NewProbe(nullptr, "First", &log));
  TObjectPtr<TProbe> second(NewProbe(nullptr, "Second", &log));
  TProbe* child = NewProbe(first.get(), "Child", &log);
  second->InsertComponent(child);
  EXPECT_EQ(child->Owner(), second.get());
  EXPECT_EQ(first->ComponentCount(), 0);
  EXPECT_EQ(second->FindComponent("child"), child);

  EXPECT_THROW(child->InsertComponent(second.get()), EComponentError);
  EXPECT_THROW(child->InsertComponent(child), EComponentError);

  second->RemoveComponent(child);
  EXPECT_EQ(child->Owner(), nullptr);
  first->RemoveComponent(child);  // not its owner: nothing happens
  first.reset();
  second.reset();
  EXPECT_EQ(log, (std::vector<std::string>{"free First", "free Second"}));
  FreeObject(child);
}

TEST(ComponentTest, NotificationsDropReferencesToFreedComponents) {
  TObjectPtr<TComponent> form = MakeObject<TComponent>();
  TProbe* label = NewProbe(form.get(), "Label");
  TProbe* edit = NewProbe(form.get(), "Edit");
  label->FPartner = edit;
  FreeObject(edit);  // the owner tells its other components
  EXPECT_EQ(label->FPartner, nullptr);

  // Across owners only when asked for.
  TObjectPtr<TComponent> elsewhere = MakeObject<TComponent>();
  TProbe* remote = NewProbe(elsewhere.get(), "Remote");
  TProbe* unasked = NewProbe(elsewhere.get(), "Unasked");
  TProbe* watcher = NewProbe(form.get(), "Watcher");
  watcher->FPartner = remote;
  label->FPartner = unasked;
  watcher->FreeNotification(remote);
  FreeObject(remote);
  EXPECT_EQ(watcher->FPartner, nullptr);
  // The tie is undone when the watcher goes first.
  watcher->FreeNotification(unasked);
  FreeObject(watcher);
  FreeObject(unasked);
  EXPECT_EQ(label->FPartner, unasked);  // never told: it had not asked
}

// A module whose form sets published values and creates components.
class TTestModule : public TDataModule {
  RTL_CLASS_INFO

public:
  explicit TTestModule(std::vector<std::string>* log, bool failInForm = false)
      : TDataModule(nullptr), FLog(log), FFailInForm(failInForm) {}
  ~TTestModule() override { FLog->push_back("module gone"); }

  std::vector<std::string>* FLog;
  bool FFailInForm;
  bool FLoadingInForm = false;

protected:
  void InitializeForm() override {
    FLoadingInForm = HasState(csLoading);
    SetPropValue(this, "Name", Variant("Module1"));
    SetMethodProp(this, "OnCreate", TNotifyEvent([this](TObject* sender) {
                    FLog->push_back("create " + std::to_string(ComponentCount()) + " " +
                                    (HasState(csLoading) ? "loading" : "loaded"));
                  }));
    SetMethodProp(this, "OnDestroy", TNotifyEvent([this](TObject*) {
                    FLog->push_back("destroy " + std::to_string(ComponentCount()));
                  }));
    NewProbe(this, "Timer1", FLog);
    if (FFailInForm) throw Exception("form failed");
    NewProbe(this, "Store", FLog);
  }
};

const TClassInfo& TTestModule::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TTestModule>("TTestModule", &TDataModule::StaticClassInfo());
  return info;
}

TEST(ComponentTest, DataModuleSetsUpItsFormBeforeOnCreate) {
  std::vector<std::string> log;
  TTestModule* module = CreateObject<TTestModule>(&log);
  EXPECT_TRUE(module->FLoadingInForm);
  EXPECT_EQ(module->Name(), "Module1");
  EXPECT_FALSE(module->HasState(csLoading));
  EXPECT_EQ(log, (std::vector<std::string>{"loaded Timer1", "loaded Store", "create 2 loaded"}));
  log.clear();
  // OnDestroy runs while the module and its components are whole.
  FreeObject(module);
  EXPECT_EQ(log, (std::vector<std::string>{"destroy 2", "module gone", "free Store", "free Timer1"}));
}

TEST(ComponentTest, DataModuleWhoseFormFailsIsFreedAgain) {
  std::vector<std::string> log;
  EXPECT_THROW(CreateObject<TTestModule>(&log, true), Exception);
  EXPECT_EQ(log, (std::vector<std::string>{"module gone", "free Timer1"}));
}

TEST(ComponentTest, AssignWithoutACommonFormatRaises) {
  TObjectPtr<TStringList> list = MakeObject<TStringList>();
  TObjectPtr<TComponent> component = MakeObject<TComponent>();
  try {
    list->Assign(component.get());
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TStringList");
    EXPECT_EQ(e.ClassName(), "EConvertError");
  }
  try {
    component->Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TComponent");
  }
}

}  // namespace
}  // namespace rtl
