// Variant: the one value type of the system. A 16-byte value with the OLE VARIANT
// layout (type word, three reserved words, eight bytes of data) that owns what it
// holds: numbers, Booleans, dates and currency inline; 8-bit strings as AnsiString
// references; wide strings as BSTRs; arrays as SAFEARRAY-shaped descriptors;
// automation objects as reference-counted interface pointers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "rtl/AnsiString.h"
#include "rtl/SysMemory.h"

namespace rtl {

// Variant type codes, as scripts see them.
enum : std::uint16_t {
  varEmpty = 0x0000,
  varNull = 0x0001,
  varSmallint = 0x0002,
  varInteger = 0x0003,
  varSingle = 0x0004,
  varDouble = 0x0005,
  varCurrency = 0x0006,
  varDate = 0x0007,
  varOleStr = 0x0008,
  varDispatch = 0x0009,
  varError = 0x000A,
  varBoolean = 0x000B,
  varVariant = 0x000C,
  varUnknown = 0x000D,
  varShortInt = 0x0010,
  varByte = 0x0011,
  varWord = 0x0012,
  varLongWord = 0x0013,
  varInt64 = 0x0014,
  varStrArg = 0x0048,
  varString = 0x0100,
  varAny = 0x0101,
  varTypeMask = 0x0FFF,
  varArray = 0x2000,
  varByRef = 0x4000,
};

// Bounds of one dimension of a variant array, as in a SAFEARRAY.
struct VarArrayBound {
  std::uint32_t ElementCount;
  std::int32_t LowBound;
};

// A SAFEARRAY-shaped descriptor whose elements are variants; Bounds has DimCount
// entries, the first dimension varying fastest in Data.
struct VarArray {
  std::uint16_t DimCount;
  std::uint16_t Flags;
  std::uint32_t ElementSize;
  std::uint32_t LockCount;
  void* Data;
  VarArrayBound Bounds[1];
};

// The part of an automation interface that ownership needs (IUnknown's slots).
struct UnknownInterface {
#if defined(_WIN32) && defined(__i386__)
#define RTL_COMCALL __stdcall
#else
#define RTL_COMCALL
#endif
  virtual std::int32_t RTL_COMCALL QueryInterface(const void* iid, void** out) = 0;
  virtual std::uint32_t RTL_COMCALL AddRef() = 0;
  virtual std::uint32_t RTL_COMCALL Release() = 0;
};

class alignas(8) Variant {
public:
  Variant() noexcept { SetInline(varEmpty, 0); }
  Variant(const Variant& o) {
    if (!o.OwnsResource()) {
      std::memcpy(static_cast<void*>(this), static_cast<const void*>(&o), sizeof(Variant));
    } else {
      SetInline(varEmpty, 0);
      CopyFrom(o);
    }
  }
  Variant(Variant&& o) noexcept {
    std::memcpy(static_cast<void*>(this), static_cast<const void*>(&o), sizeof(Variant));
    o.SetInline(varEmpty, 0);
  }
  // Numbers, Booleans, dates and currency own nothing: only the others go out of line.
  ~Variant() {
    if (OwnsResource()) ReleaseResource();
  }
  Variant& operator=(const Variant& o) {
    // Values that own nothing are their sixteen bytes.
    if (!OwnsResource() && !o.OwnsResource() && this != &o) {
      std::memcpy(static_cast<void*>(this), static_cast<const void*>(&o), sizeof(Variant));
      return *this;
    }
    return AssignSlow(o);
  }
  Variant& operator=(Variant&& o) noexcept {
    if (this != &o) {
      if (OwnsResource()) ReleaseResource();
      std::memcpy(static_cast<void*>(this), static_cast<const void*>(&o), sizeof(Variant));
      o.SetInline(varEmpty, 0);
    }
    return *this;
  }

  Variant(bool v) noexcept { SetInline(varBoolean, v ? 0xFFFFu : 0u); }
  Variant(std::int32_t v) noexcept { SetInline(varInteger, static_cast<std::uint32_t>(v)); }
  Variant(std::int64_t v) noexcept { SetInline(varInt64, static_cast<std::uint64_t>(v)); }
  Variant(double v) noexcept { SetInline(varDouble, DoubleBits(v)); }
  Variant(const AnsiString& s) : Variant() { FType = varString; FRaw = AnsiString(s).Detach(); }
  Variant(const char* s) : Variant(AnsiString(s)) {}
  Variant(std::u16string_view ws);
  // Without this a wide literal would pick the Boolean constructor (pointer to bool).
  Variant(const char16_t* ws) : Variant(std::u16string_view(ws ? ws : u"")) {}

  static Variant Null() noexcept { Variant v; v.SetInline(varNull, 0); return v; }
  static Variant FromSmallint(std::int16_t v) noexcept { return Inline(varSmallint, static_cast<std::uint16_t>(v)); }
  static Variant FromShortInt(std::int8_t v) noexcept { return Inline(varShortInt, static_cast<std::uint8_t>(v)); }
  static Variant FromByte(std::uint8_t v) noexcept { return Inline(varByte, v); }
  static Variant FromWord(std::uint16_t v) noexcept { return Inline(varWord, v); }
  static Variant FromLongWord(std::uint32_t v) noexcept { return Inline(varLongWord, v); }
  static Variant FromSingle(float v) noexcept {
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return Inline(varSingle, bits);
  }
  // Currency is a 64-bit integer scaled by 10000.
  static Variant FromCurrency(std::int64_t scaled) noexcept { return Inline(varCurrency, static_cast<std::uint64_t>(scaled)); }
  // Dates count days from 30 December 1899; the fraction is the time of day.
  static Variant FromDate(double days) noexcept { return Inline(varDate, DoubleBits(days)); }
  static Variant FromError(std::int32_t code) noexcept { return Inline(varError, static_cast<std::uint32_t>(code)); }
  // Takes a new reference to an automation interface (varDispatch or varUnknown).
  static Variant FromInterface(UnknownInterface* intf, std::uint16_t type = varDispatch) noexcept;
  // Takes ownership of an array descriptor made by VarArrayCreate. The element type is
  // what VarType reports with varArray added; the elements are variants whatever it is.
  static Variant AdoptArray(VarArray* array, std::uint16_t elementType = varVariant) noexcept {
    Variant r;
    r.FType = static_cast<std::uint16_t>(varArray | (elementType & varTypeMask));
    r.FRaw = array;
    return r;
  }
  // Takes ownership of a BSTR made by sys::SysAllocStringLen (null is the empty text).
  static Variant AdoptOleStr(sys::BStr s) noexcept { Variant r; r.FType = varOleStr; r.FRaw = s; return r; }
  // A reference to a value of the given type held elsewhere (type | varByRef); the
  // variant does not own what it points at.
  static Variant FromByRef(std::uint16_t type, void* p) noexcept { Variant r; r.FType = type | varByRef; r.FRaw = p; return r; }

  std::uint16_t VarType() const noexcept { return FType; }
  bool IsEmpty() const noexcept { return FType == varEmpty; }
  bool IsNull() const noexcept { return FType == varNull; }
  bool IsEmptyOrNull() const noexcept { return FType == varEmpty || FType == varNull; }
  bool IsArray() const noexcept { return (FType & varArray) != 0; }
  bool IsString() const noexcept { return FType == varString || FType == varOleStr; }

  // Unchecked access to the inline data for the type the caller has tested.
  std::int8_t AsShortIntRaw() const noexcept { return FInt8; }
  std::uint8_t AsByteRaw() const noexcept { return FUInt8; }
  std::int16_t AsSmallintRaw() const noexcept { return FInt16; }
  std::uint16_t AsWordRaw() const noexcept { return FUInt16; }
  std::int32_t AsIntegerRaw() const noexcept { return FInt32; }
  std::uint32_t AsLongWordRaw() const noexcept { return FUInt32; }
  std::int64_t AsInt64Raw() const noexcept { return FInt64; }
  float AsSingleRaw() const noexcept { return FSingle; }
  double AsDoubleRaw() const noexcept { return FDouble; }
  bool AsBooleanRaw() const noexcept { return FBool != 0; }
  // varString: the string it holds (shares the buffer).
  AnsiString AsAnsiStringRaw() const noexcept { return AnsiString::FromRaw(FRaw); }
  // varOleStr: the characters it holds.
  std::u16string_view AsOleStrRaw() const noexcept {
    auto* b = static_cast<sys::BStr>(FRaw);
    return b ? std::u16string_view(b, sys::SysStringLen(b)) : std::u16string_view();
  }
  VarArray* AsArrayRaw() const noexcept { return static_cast<VarArray*>(FRaw); }
  UnknownInterface* AsInterfaceRaw() const noexcept { return static_cast<UnknownInterface*>(FRaw); }
  void* RawPointer() const noexcept { return FRaw; }

  void Clear() noexcept {
    if (OwnsResource()) ReleaseResource();
    SetInline(varEmpty, 0);
  }
  void Swap(Variant& o) noexcept;

  // Exact identity of type and content (strings by characters, arrays element-wise);
  // not the script language's "=" (that is a variant operation).
  bool SameAs(const Variant& o) const;

private:
  static std::uint64_t DoubleBits(double v) noexcept {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
  }
  static Variant Inline(std::uint16_t type, std::uint64_t bits) noexcept {
    Variant r;
    r.SetInline(type, bits);
    return r;
  }
  // Writes type, zero reserved words and data as one 16-byte store where the target
  // has one: values are copied sixteen bytes at a time, and a load that spans several
  // narrower stores has to wait for them instead of being forwarded from the store.
  void SetInline(std::uint16_t type, std::uint64_t bits) noexcept {
#if defined(__x86_64__) && defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
    typedef long long Words __attribute__((vector_size(16)));
    const Words words = {static_cast<long long>(type), static_cast<long long>(bits)};
    std::memcpy(static_cast<void*>(this), &words, sizeof words);
#else
    FType = type;
    FRes1 = FRes2 = FRes3 = 0;
    FInt64 = static_cast<std::int64_t>(bits);
#endif
  }
  void CopyFrom(const Variant& o);
  Variant& AssignSlow(const Variant& o);
  bool OwnsResource() const noexcept {
    const unsigned t = FType;
    // One test for the small codes: varOleStr, varDispatch and varUnknown own.
    if (t < 32) return ((1u << varOleStr | 1u << varDispatch | 1u << varUnknown) >> t) & 1u;
    return t == varString || ((t & varArray) && !(t & varByRef));
  }
  // Frees what the value holds; leaves the type as it is (the callers reset or drop it).
  void ReleaseResource() noexcept;

  std::uint16_t FType;
  std::uint16_t FRes1, FRes2, FRes3;
  union {
    std::int8_t FInt8;
    std::uint8_t FUInt8;
    std::int16_t FInt16;
    std::uint16_t FUInt16;
    std::int32_t FInt32;
    std::uint32_t FUInt32;
    std::int64_t FInt64;
    float FSingle;
    double FDouble;
    std::int16_t FBool;
    void* FRaw;
  };
};

static_assert(sizeof(Variant) == 16, "Variant keeps the OLE VARIANT layout");

// Creates an array of empty variants with the given bounds (low, high pairs).
VarArray* VarArrayCreate(const std::int32_t* bounds, int dimCount);
VarArray* VarArrayCopy(const VarArray* a);
void VarArrayDestroy(VarArray* a) noexcept;
std::size_t VarArrayElementCount(const VarArray* a) noexcept;
inline Variant* VarArrayData(const VarArray* a) noexcept { return static_cast<Variant*>(a->Data); }

}  // namespace rtl
