// TWreg: the settings store. A list of item lines names, for each setting, a property
// of a target (a settings object, a form and its controls, or a parameter list) and
// the name under which it is stored; Load and Save walk that list and copy every
// property from or to the store: an INI file, the registry, or the value events of
// the "$CUSTOM$" store. One TWreg serves one operation.
//
// Two choices of this store: an empty registry path (nothing but backslashes) means
// there is no registry store, so such an operation stores nothing and reports False
// rather than writing into the root of a hive; and an INI file is read and rewritten
// under a named inter-process lock (a named mutex on Windows, flock elsewhere), the
// rewrite going to a temporary file renamed over the old one. A lock that is not had
// within IniLockTimeoutMs (a process hung while holding it) does not stop the
// operation: the file is then used without it, and is still never left half written.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "Public/Common/orbParamLst.h"
#include "rtl/ClassInfo.h"
#include "rtl/Component.h"
#include "rtl/StringList.h"

namespace orb {

enum TRegistryRoot : std::uint8_t {
  rrHKEY_CLASSES_ROOT,
  rrHKEY_CURRENT_USER,
  rrHKEY_LOCAL_MACHINE,
  rrHKEY_USERS,
  rrHKEY_CURRENT_CONFIG,
  rrNone,
};
const rtl::TEnumInfo& RegistryRootTypeInfo();

// The INI file name that hands every value to the value events instead of a file.
constexpr std::string_view CustomStoreName = "$CUSTOM$";
// The item line that ends the short list (the form geometry).
constexpr std::string_view ShortListMarker = ";---short---";

// Value events: Name is the item's property name (for the "$CUSTOM$" store, its
// storage name, and an Empty value there asks the store to forget the value), Index
// its line number in the item list (from 0).
using TSetValueProc = std::function<void(rtl::TObject* Sender, const std::string& Name, int Index, const rtl::Variant& Value)>;
using TGetValueProc = std::function<void(rtl::TObject* Sender, const std::string& Name, int Index, rtl::Variant& Value)>;
using TBeforeProcessItemProc = std::function<void(rtl::TObject* Sender, const std::string& Name, int Index,
                                                  bool& IsRequireProcessing, bool& IsVirtual, rtl::TTypeKind& ItemType)>;

// What settings are read into and written from: an object (nil stands for the
// application's main form) or a parameter list.
struct TWregTarget {
  TWregTarget(rtl::TObject* object) : Object(object) {}  // NOLINT: either target converts
  TWregTarget(TorbParamsList* params) : Params(params) {}  // NOLINT
  TWregTarget(std::nullptr_t) {}                            // NOLINT
  rtl::TObject* Object = nullptr;
  TorbParamsList* Params = nullptr;
};

// The application's forms as property paths and component references name them. The
// windowing layer fills this in; without it no form is found by name.
struct TWregApplication {
  std::function<rtl::TComponent*()> MainForm;
  std::function<rtl::TComponent*(std::string_view name)> FindForm;
};
void SetWregApplication(TWregApplication application);
const TWregApplication& WregApplication();

// One item line taken apart.
struct TWregItem {
  std::string PropertyPath;
  std::string StorageName;  // backslash runs folded, no leading backslash
  std::string SubPath;      // before the last backslash of StorageName
  std::string ValueName;    // after it (all of StorageName without one)
};
// False for lines that name no setting: empty, comments, a missing part.
bool ParseWregItem(std::string_view line, TWregItem& item);
// The INI section of an item with the given sub-path.
std::string WregIniSection(std::string_view sectionPrefix, std::string_view subPath);
// The registry key of an item: the registry path without trailing backslashes, then
// "\" and the sub-path when there is one.
std::string WregRegistryKey(std::string_view registryPath, std::string_view subPath);
// The inter-process lock name of an INI file: the name in lower case, every character
// other than 0-9 and a-z made "_".
std::string WregLockName(std::string_view iniFile);
// The text by which a component reference is stored: "Application." and the owners'
// names before the component's own, or the name alone for a component without owner.
std::string WregComponentPath(const rtl::TComponent* component);

class TWreg : public rtl::TComponent {
  RTL_CLASS_INFO

public:
  explicit TWreg(rtl::TComponent* owner = nullptr);
  ~TWreg() override;

  // Copy every item from the store into Target, or from Target into the store. False
  // only when the registry is the store and no root of it can be used.
  bool Load(const TWregTarget& Target);
  bool Save(const TWregTarget& Target);

  // The item lines (published as "Components").
  rtl::TStringList* ComponentLines() const noexcept { return FComponents; }
  void SetComponentLines(const rtl::TStrings* lines);

  // How long an operation waits for another process's use of the same INI file.
  static constexpr std::uint32_t IniLockTimeoutMs = 30000;

  TRegistryRoot RegistryRoot = rrHKEY_LOCAL_MACHINE;
  TRegistryRoot SecondRegistryRoot = rrHKEY_CURRENT_USER;
  rtl::AnsiString RegistryPath = "\\Software\\Company name\\App name";
  rtl::AnsiString INIFile;
  rtl::AnsiString INIFileSectionPrefix;
  TSetValueProc SetValue;
  TGetValueProc GetValue;
  TBeforeProcessItemProc BeforeProcessItem;

private:
  struct TOperation;
  struct TResolved;
  bool Run(const TWregTarget& Target, bool saving);
  void ProcessItem(TOperation& op, int index, const TWregItem& item, const TWregTarget& target);
  bool Resolve(const TWregItem& item, const TWregTarget& target, TResolved& r) const;
  bool ReadProperty(const TResolved& r, int index, rtl::Variant& stored) const;
  void ApplyProperty(const TResolved& r, int index, const rtl::Variant& stored, const TWregTarget& target) const;
  bool ReadStore(TOperation& op, const TWregItem& item, int index, int storage, rtl::Variant& stored);
  void WriteStore(TOperation& op, const TWregItem& item, int index, int storage, const rtl::Variant& stored);
  void DeleteStore(TOperation& op, const TWregItem& item, int index);

  rtl::TStringList* FComponents;
};

}  // namespace orb
