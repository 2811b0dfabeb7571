#include "rtl/Variant.h"

#include <cstring>
#include <new>
#include <utility>

#include "rtl/AllocationSize.h"
#include "rtl/Exceptions.h"
#include "rtl/ScriptMemory.h"

namespace rtl {

Variant::Variant(std::u16string_view ws) : Variant() {
  FType = varOleStr;
  FRaw = sys::SysAllocStringLen(ws.data(), static_cast<std::uint32_t>(ws.size()));
}

Variant Variant::FromInterface(UnknownInterface* intf, std::uint16_t type) noexcept {
  Variant r;
  r.FType = type;
  r.FRaw = intf;
  if (intf) intf->AddRef();
  return r;
}

Variant& Variant::AssignSlow(const Variant& o) {
  if (this != &o) {
    Variant tmp(o);
    Swap(tmp);
  }
  return *this;
}

void Variant::Swap(Variant& o) noexcept {
  alignas(Variant) unsigned char mine[sizeof(Variant)];
  std::memcpy(mine, static_cast<const void*>(this), sizeof(Variant));
  std::memcpy(static_cast<void*>(this), static_cast<const void*>(&o), sizeof(Variant));
  std::memcpy(static_cast<void*>(&o), mine, sizeof(Variant));
}

void Variant::ReleaseResource() noexcept {
  switch (FType) {
    case varString:
      AnsiString::ReleaseRaw(FRaw);
      break;
    case varOleStr:
      sys::SysFreeString(static_cast<sys::BStr>(FRaw));
      break;
    case varDispatch:
    case varUnknown:
      if (FRaw) static_cast<UnknownInterface*>(FRaw)->Release();
      break;
    default:
      if ((FType & varArray) && !(FType & varByRef)) VarArrayDestroy(static_cast<VarArray*>(FRaw));
      break;
  }
}

void Variant::CopyFrom(const Variant& o) {
  switch (o.FType) {
    case varString:
      FRaw = AnsiString::FromRaw(o.FRaw).Detach();
      break;
    case varOleStr: {
      auto* b = static_cast<sys::BStr>(o.FRaw);
      FRaw = b ? sys::SysAllocStringLen(b, sys::SysStringLen(b)) : nullptr;
      break;
    }
    case varDispatch:
    case varUnknown:
      FRaw = o.FRaw;
      if (FRaw) static_cast<UnknownInterface*>(FRaw)->AddRef();
      break;
    default:
      if ((o.FType & varArray) && !(o.FType & varByRef))
        FRaw = o.FRaw ? VarArrayCopy(static_cast<VarArray*>(o.FRaw)) : nullptr;
      else {
        std::memcpy(static_cast<void*>(this), static_cast<const void*>(&o), sizeof(Variant));
        return;
      }
      break;
  }
  FType = o.FType;
}

bool Variant::SameAs(const Variant& o) const {
  if (FType != o.FType) return false;
  switch (FType) {
    case varEmpty:
    case varNull:
      return true;
    case varString:
      return AsAnsiStringRaw() == o.AsAnsiStringRaw();
    case varOleStr:
      return AsOleStrRaw() == o.AsOleStrRaw();
    case varShortInt:
    case varByte:
      return FUInt8 == o.FUInt8;
    case varSmallint:
    case varWord:
    case varBoolean:
      return FUInt16 == o.FUInt16;
    case varInteger:
    case varLongWord:
    case varSingle:
    case varError:
      return FUInt32 == o.FUInt32;
    default:
      if (FType & varArray) {
        const VarArray* a = AsArrayRaw();
        const VarArray* b = o.AsArrayRaw();
        if (!a || !b) return a == b;
        if (a->DimCount != b->DimCount) return false;
        for (int d = 0; d < a->DimCount; ++d)
          if (a->Bounds[d].ElementCount != b->Bounds[d].ElementCount || a->Bounds[d].LowBound != b->Bounds[d].LowBound)
            return false;
        std::size_t n = VarArrayElementCount(a);
        for (std::size_t i = 0; i < n; ++i)
          if (!VarArrayData(a)[i].SameAs(VarArrayData(b)[i])) return false;
        return true;
      }
      return FInt64 == o.FInt64;
  }
}

// Arrays ------------------------------------------------------------------------------

std::size_t VarArrayElementCount(const VarArray* a) noexcept {
  if (!a) return 0;
  std::size_t n = 1;
  for (int d = 0; d < a->DimCount; ++d) n *= a->Bounds[d].ElementCount;
  return n;
}

namespace {
VarArray* AllocateDescriptor(int dimCount) {
  std::size_t size = offsetof(VarArray, Bounds) + sizeof(VarArrayBound) * static_cast<std::size_t>(dimCount);
  auto* a = static_cast<VarArray*>(sys::BoundaryAlloc(size));
  std::memset(a, 0, size);
  a->DimCount = static_cast<std::uint16_t>(dimCount);
  a->ElementSize = sizeof(Variant);
  return a;
}
}  // namespace

VarArray* VarArrayCreate(const std::int32_t* bounds, int dimCount) {
  if (dimCount <= 0 || dimCount > 64) throw EVariantError("Error creating variant or safe array");
  std::size_t n = 1;
  for (int d = 0; d < dimCount; ++d) {
    std::int64_t count = static_cast<std::int64_t>(bounds[2 * d + 1]) - bounds[2 * d] + 1;
    if (count < 0 || count > (1 << 28)) throw EVariantError("Error creating variant or safe array");
    n *= static_cast<std::size_t>(count);
    if (n > (1u << 28)) throw EVariantError("Error creating variant or safe array");
  }
  VarArray* a = AllocateDescriptor(dimCount);
  for (int d = 0; d < dimCount; ++d) {
    a->Bounds[d].LowBound = bounds[2 * d];
    a->Bounds[d].ElementCount = static_cast<std::uint32_t>(bounds[2 * d + 1] - bounds[2 * d] + 1);
  }
  if (n) {
    try {
      a->Data = ScriptAlloc(CheckedBytes(n, sizeof(Variant)));
    } catch (...) {
      sys::BoundaryFree(a);
      throw;
    }
    for (std::size_t i = 0; i < n; ++i) new (static_cast<Variant*>(a->Data) + i) Variant();
  }
  return a;
}

VarArray* VarArrayCopy(const VarArray* src) {
  VarArray* a = AllocateDescriptor(src->DimCount);
  for (int d = 0; d < src->DimCount; ++d) a->Bounds[d] = src->Bounds[d];
  std::size_t n = VarArrayElementCount(src);
  if (n) {
    try {
      a->Data = ScriptAlloc(CheckedBytes(n, sizeof(Variant)));
    } catch (...) {
      sys::BoundaryFree(a);
      throw;
    }
    std::size_t i = 0;
    try {
      for (; i < n; ++i) new (static_cast<Variant*>(a->Data) + i) Variant(VarArrayData(src)[i]);
    } catch (...) {
      while (i > 0) static_cast<Variant*>(a->Data)[--i].~Variant();
      ScriptFree(a->Data, n * sizeof(Variant));
      sys::BoundaryFree(a);
      throw;
    }
  }
  return a;
}

void VarArrayDestroy(VarArray* a) noexcept {
  if (!a) return;
  std::size_t n = VarArrayElementCount(a);
  for (std::size_t i = 0; i < n && a->Data; ++i) static_cast<Variant*>(a->Data)[i].~Variant();
  ScriptFree(a->Data, n * sizeof(Variant));
  sys::BoundaryFree(a);
}

}  // namespace rtl
