#include "runtime/fsCatalogue.h"

#include <string>
#include <unordered_map>

#include "engine/fsClassVariable.h"
#include "engine/fsScript.h"
#include "engine/fsStrings.h"
#include "engine/fsVarType.h"
#include "engine/fsXMLItem.h"
#include "rtl/Exceptions.h"
#include "rtl/VariantConvert.h"
#include "runtime/fsMethodHelper.h"
#include "runtime/fsPropertyHelper.h"

namespace fs {

namespace {

// An entry's text: attribute syntax, values as they stand.
std::string TextAttr(const std::string& value) { return "text=\"" + value + "\""; }

void AddEntry(TfsXMLItem* parent, const std::string& text) {
  TfsXMLItem* item = parent->Add();
  item->SetName("item");
  item->SetText(TextAttr(text));
}

// The child of that name (ignoring case), or a new one.
TfsXMLItem* Child(TfsXMLItem* parent, const std::string& name, bool& created) {
  created = parent->Find(name) < 0;
  return parent->FindItem(name);
}

std::string TypeText(const TfsCustomVariable* item) { return TypeDisplayName(item->Typ(), item->TypeName()); }

// A constant's value as text; a value without one (an array) shows nothing.
std::string ValueText(const rtl::Variant& value) {
  try {
    return rtl::VarToStr(value).str();
  } catch (const rtl::Exception&) {
    return std::string();
  }
}

std::string MemberText(const TfsCustomVariable* member) {
  if (dynamic_cast<const TfsPropertyHelper*>(member)) return "property " + member->Name() + ": " + TypeText(member);
  if (auto* method = dynamic_cast<const TfsMethodHelper*>(member)) {
    if (!method->IsIndexProp()) return method->Declaration();
    const std::string& d = method->Declaration();
    const std::size_t blank = d.find(' ');
    return "index property" + (blank == std::string::npos ? std::string() : d.substr(blank));
  }
  return "event " + member->Name();
}

// Calls f for every named item of the script's table, in table order.
template <class F>
void ForEachNamed(const TfsScript& script, F&& f) {
  const TfsItemTable& table = script.Items();
  for (int i = 0; i < table.Count(); ++i) {
    const TfsItemTable::Entry& entry = table.Entries(i);
    TfsCustomVariable* v = entry.Object ? entry.Object->AsVariable() : nullptr;
    if (v && !v->Name().empty()) f(v);
  }
}

}  // namespace

void ExportCatalogue(const TfsScript& script, TfsXMLItem* item, bool functionsOnly) {
  TfsXMLItem* functions = item->FindItem("Functions");
  TfsXMLItem* classes = item->FindItem("Classes");
  TfsXMLItem* types = item->FindItem("Types");
  TfsXMLItem* variables = item->FindItem("Variables");
  TfsXMLItem* constants = item->FindItem("Constants");

  // The value names collected per enumeration or set type.
  std::unordered_map<TfsXMLItem*, std::string> enumNames;

  ForEachNamed(script, [&](TfsCustomVariable* v) {
    if (auto* method = dynamic_cast<TfsMethodHelper*>(v)) {
      bool created = false;
      TfsXMLItem* category = Child(functions, method->Category(), created);
      if (created) category->SetText(TextAttr(method->Category()));
      TfsXMLItem* fn = category->Add();
      fn->SetName("item");
      fn->SetText(TextAttr(method->Declaration()) + " description=\"" + method->Description() + "\"");
      return;
    }
    if (functionsOnly) return;

    if (v->Kind() == TfsItemKind::Class) {
      auto* cls = static_cast<TfsClassVariable*>(v);
      TfsXMLItem* c = classes->Add();
      c->SetName("item");
      c->SetText(TextAttr(cls->Name() + " = class(" + cls->Ancestor() + ")"));
      for (int m = 0; m < cls->MembersCount(); ++m) AddEntry(c, MemberText(cls->Members(m)));
    } else if (v->Kind() == TfsItemKind::Variable || v->Kind() == TfsItemKind::StringVariable) {
      if (v->Typ() == fvtEnum) {
        bool created = false;
        TfsXMLItem* type = Child(types, v->TypeName(), created);
        std::string& names = enumNames[type];
        if (!SameText(v->Name(), v->TypeName())) names += (names.empty() ? "" : ",") + v->Name();
      } else if (v->IsReadOnly()) {
        AddEntry(constants, v->Name() + ": " + TypeText(v) + " = " + ValueText(v->StoredValue()));
      } else {
        AddEntry(variables, v->Name() + ": " + TypeText(v));
      }
    }
  });

  for (int i = 0; i < types->Count(); ++i) {
    TfsXMLItem* type = types->Items(i);
    if (type->Name() == "item") continue;
    const std::string typeName = type->Name();
    type->SetName("item");
    type->SetText(TextAttr(typeName + ": (" + enumNames[type] + ")"));
  }
}

std::vector<TfsCatalogueName> CatalogueNames(const TfsScript& script) {
  std::vector<TfsCatalogueName> out;
  ForEachNamed(script, [&](TfsCustomVariable* v) {
    if (auto* method = dynamic_cast<TfsMethodHelper*>(v)) {
      out.push_back({'f', v->Name(), method->Declaration()});
    } else if (v->Kind() == TfsItemKind::Class) {
      auto* cls = static_cast<TfsClassVariable*>(v);
      out.push_back({'c', v->Name(), cls->Name() + " = class(" + cls->Ancestor() + ")"});
    } else if ((v->Kind() == TfsItemKind::Variable || v->Kind() == TfsItemKind::StringVariable) &&
               (v->Typ() == fvtEnum || v->IsReadOnly()) && !SameText(v->Name(), v->TypeName())) {
      out.push_back({'k', v->Name(), v->Name() + ": " + TypeText(v) + (v->Typ() == fvtEnum ? std::string() : " = " + ValueText(v->StoredValue()))});
    }
  });
  return out;
}

}  // namespace fs
