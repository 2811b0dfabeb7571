#include "engine/fsScript.h"

#include <cstdint>
#include <exception>
#include <vector>

#include "engine/fsILParser.h"
#include "engine/fsProcVariable.h"
#include "engine/fsProgramBuilder.h"
#include "engine/fsStatements.h"
#include "engine/fsVariables.h"
#include "rtl/Exceptions.h"
#include "rtl/ObjectRun.h"

namespace fs {

TfsScript::TfsScript() : FStatement(std::make_unique<TfsStatement>(this, std::string(), std::string())) {}

TfsScript::~TfsScript() {
  // Objects the program made may hold references to its items (event handlers): they
  // go before anything else.
  if (FOwnObjects) FOwnObjects->FreeAll();
  // Statements refer to items, never the other way round: they go first.
  FStatement.reset();
  FItems.Clear();
}

std::string TfsScript::LinesText() const {
  std::string text;
  std::size_t n = 0;
  for (const auto& line : FLines) n += line.size() + 2;
  text.reserve(n);
  for (const auto& line : FLines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TfsScript::SetLinesText(const std::string& text) {
  FLines.clear();
  std::size_t start = 0, i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      FLines.push_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) FLines.push_back(text.substr(start));
}

void TfsScript::AddName(const std::string& name, TfsObject* item, bool owned) {
  if (TfsCustomVariable* v = item ? item->AsVariable() : nullptr) v->SetGlobal(FGlobalMark);
  FItems.Add(name, item, owned);
}

TfsCustomVariable* TfsScript::LookupLocal(std::string_view name) const {
  TfsObject* o = FItems.Find(name);
  return o ? o->AsVariable() : nullptr;
}

TfsCustomVariable* TfsScript::Lookup(std::string_view name) const {
  for (const TfsScript* s = this; s; s = s->FParent)
    if (TfsCustomVariable* v = s->LookupLocal(name)) return v;
  return nullptr;
}

void TfsScript::SetScriptVariable(const std::string& name, const rtl::Variant& value) {
  if (TfsCustomVariable* v = Lookup(name)) {
    v->SetValue(value);
    return;
  }
  auto* v = new TfsVariable(name, fvtVariant, "Variant");
  AddName(name, v);
  v->SetValue(value);
}

rtl::TObjectTracker& TfsScript::Objects() {
  TfsScript* root = FObjectRoot;
  if (!root->FOwnObjects) root->FOwnObjects = std::make_unique<rtl::TObjectTracker>();
  return *root->FOwnObjects;
}

void TfsScript::ClearProgram() {
  if (FOwnObjects) FOwnObjects->FreeAll();
  FStatement = std::make_unique<TfsStatement>(this, std::string(), std::string());
  FCurrent = nullptr;
  FItems.RemoveIf([](const TfsItemTable::Entry& e) { return !e.Object || !e.Object->KeptByClear(); });
  FLastErrorText.clear();
  FLastErrorPos.clear();
  FLastErrorUnit.clear();
  ClearRequests();
}

bool TfsScript::CompileProgram() {
  FLastErrorText.clear();
  {
    TfsILParser parser(this);
    parser.SelectDialect(FSyntaxType);
    if (parser.BuildProgramTree(LinesText())) {
      FLastErrorUnit.clear();
      TfsProgramBuilder builder(this, &parser);
      try {
        builder.Build(parser.ProgramTree().Root());
        FLastErrorPos.clear();
      } catch (const rtl::Exception& e) {
        FLastErrorText = e.Message();
        FLastErrorPos = builder.ErrorPos();
        FLastErrorUnit = builder.UnitName();
      } catch (const std::bad_alloc&) {
        // A declaration that cannot be had is the compile's error, not a lost packet.
        FLastErrorText = rtl::EOutOfMemory().Message();
        FLastErrorPos = builder.ErrorPos();
        FLastErrorUnit = builder.UnitName();
      } catch (const std::exception& e) {
        FLastErrorText = e.what();
        FLastErrorPos = builder.ErrorPos();
        FLastErrorUnit = builder.UnitName();
      }
    }
  }
  bool ok = FLastErrorText.empty();
  if (ok) FLastErrorPos.clear();
  return ok;
}

namespace {

// The object addresses a value may hold: an integer, or the elements of an array
// (arrays in arrays as well, to a bounded depth).
void AddObjectAddresses(const rtl::Variant& value, std::vector<const void*>& out, int depth) {
  switch (value.VarType()) {
    case rtl::varInteger:
      out.push_back(reinterpret_cast<const void*>(
          static_cast<std::uintptr_t>(static_cast<std::uint32_t>(value.AsIntegerRaw()))));
      return;
    case rtl::varInt64:
      out.push_back(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(value.AsInt64Raw())));
      return;
    default: break;
  }
  if (!value.IsArray() || (value.VarType() & rtl::varByRef) || depth >= 8) return;
  const rtl::VarArray* array = value.AsArrayRaw();
  if (!array || !array->Data) return;
  std::size_t count = 1;
  for (std::uint16_t d = 0; d < array->DimCount; ++d) count *= array->Bounds[d].ElementCount;
  const auto* elements = static_cast<const rtl::Variant*>(array->Data);
  for (std::size_t i = 0; i < count; ++i) AddObjectAddresses(elements[i], out, depth + 1);
}

// What failed runs' objects are reached from: the addresses the program's variables
// hold (depth 0), or those its routines' variables and parameters hold, which keep their
// values between calls (locals; routines in routines too).
void AddObjectRoots(const TfsItemTable& items, bool locals, std::vector<const void*>& roots, int depth) {
  for (int i = 0; i < items.Count(); ++i) {
    TfsObject* item = items.Entries(i).Object;
    TfsCustomVariable* v = item ? item->AsVariable() : nullptr;
    if (!v) continue;
    const TfsItemKind kind = v->Kind();
    if (locals == (depth > 0) && (kind == TfsItemKind::Variable || (depth > 0 && kind == TfsItemKind::Param)))
      AddObjectAddresses(v->StoredValue(), roots, 0);
    if (locals && kind == TfsItemKind::Proc && depth < 16)
      if (TfsScript* scope = static_cast<TfsProcVariable*>(v)->Program())
        AddObjectRoots(scope->Items(), true, roots, depth + 1);
  }
}

}  // namespace

void TfsScript::RunProgram() {
  FMainRun = true;
  // A break or continue outside any loop may have been left set by an earlier run.
  ClearRequests();
  FLastErrorPos.clear();
  FCurrent = nullptr;
  rtl::TObjectRun run(Objects());
  try {
    FStatement->Run();
  } catch (...) {
    MarkErrorPosition();
    ClearRequests();
    // What failed runs made and can no longer be reached would otherwise stay until the
    // program is cleared: a routine that fails between Create and Free, row after row,
    // would eat the memory.
    if (run.Failed()) {
      try {
        std::vector<const void*> roots, localRoots;
        AddObjectRoots(FItems, false, roots, 0);
        AddObjectRoots(FItems, true, localRoots, 0);
        run.FreeUnreached(roots, localRoots);
      } catch (...) {
        // Without the memory to look, the objects stay as they would have.
      }
    }
    throw;
  }
  ClearRequests();
}

void TfsScript::MarkErrorPosition() {
  if (FCurrent) FLastErrorPos = FCurrent->SourcePos();
}

void TfsScript::NotifyRunLineHandler(const TfsStatement* statement) {
  for (TfsScript* s = this; s; s = s->FParent) {
    if (s->OnRunLine) {
      s->OnRunLine(this, statement->UnitName(), statement->SourcePos());
      return;
    }
  }
}

}  // namespace fs
