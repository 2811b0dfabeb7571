#include "rtl/Variant.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include "rtl/Exceptions.h"

using namespace rtl;

namespace {

// An automation object that counts its references.
struct CountedUnknown : UnknownInterface {
  std::uint32_t Refs = 1;
  std::int32_t RTL_COMCALL QueryInterface(const void*, void** out) override {
    *out = nullptr;
    return static_cast<std::int32_t>(0x80004002u);  // no such interface
  }
  std::uint32_t RTL_COMCALL AddRef() override { return ++Refs; }
  std::uint32_t RTL_COMCALL Release() override { return --Refs; }
};

Variant MakeArray() {
  const std::int32_t bounds[] = {1, 3};
  Variant v = Variant::AdoptArray(VarArrayCreate(bounds, 1));
  VarArrayData(v.AsArrayRaw())[0] = Variant("first");
  VarArrayData(v.AsArrayRaw())[1] = Variant(u"second");
  VarArrayData(v.AsArrayRaw())[2] = Variant(std::int32_t{3});
  return v;
}

struct KindCase {
  const char* Name;
  std::function<Variant()> Make;
  std::uint16_t Type;
};

std::vector<KindCase> AllKinds() {
  return {
      {"Empty", [] { return Variant(); }, varEmpty},
      {"Null", [] { return Variant::Null(); }, varNull},
      {"Smallint", [] { return Variant::FromSmallint(-5); }, varSmallint},
      {"Integer", [] { return Variant(std::int32_t{7}); }, varInteger},
      {"Single", [] { return Variant::FromSingle(1.5f); }, varSingle},
      {"Double", [] { return Variant(2.25); }, varDouble},
      {"Currency", [] { return Variant::FromCurrency(12345); }, varCurrency},
      {"Date", [] { return Variant::FromDate(45000.5); }, varDate},
      {"OleStr", [] { return Variant(u"wide"); }, varOleStr},
      {"Error", [] { return Variant::FromError(-1); }, varError},
      {"Boolean", [] { return Variant(true); }, varBoolean},
      {"ShortInt", [] { return Variant::FromShortInt(-8); }, varShortInt},
      {"Byte", [] { return Variant::FromByte(200); }, varByte},
      {"Word", [] { return Variant::FromWord(60000); }, varWord},
      {"LongWord", [] { return Variant::FromLongWord(4000000000u); }, varLongWord},
      {"Int64", [] { return Variant(std::int64_t{1} << 40); }, varInt64},
      {"String", [] { return Variant("narrow"); }, varString},
      {"Array", MakeArray, static_cast<std::uint16_t>(varArray | varVariant)},
  };
}

}  // namespace

TEST(Variant, HasTheOleLayout) {
  EXPECT_EQ(sizeof(Variant), 16u);
  Variant v(std::int32_t{0x11223344});
  std::uint16_t type;
  std::int32_t data;
  std::memcpy(&type, &v, 2);
  std::memcpy(&data, reinterpret_cast<const char*>(&v) + 8, 4);
  EXPECT_EQ(type, varInteger);
  EXPECT_EQ(data, 0x11223344);
}

// Copy, move and clear of every kind; the sanitizer build reports any leak or double
// free of what the kinds own.
TEST(Variant, CopyMoveAndClearEveryKind) {
  for (const KindCase& k : AllKinds()) {
    SCOPED_TRACE(k.Name);
    Variant v = k.Make();
    EXPECT_EQ(v.VarType(), k.Type);
    Variant copy(v);
    EXPECT_TRUE(copy.SameAs(v));
    Variant assigned;
    assigned = v;
    EXPECT_TRUE(assigned.SameAs(v));
    assigned = assigned;  // self-assignment
    EXPECT_TRUE(assigned.SameAs(v));
    Variant moved(std::move(copy));
    EXPECT_TRUE(moved.SameAs(v));
    EXPECT_TRUE(copy.IsEmpty());
    Variant target(std::int32_t{1});
    target = std::move(moved);
    EXPECT_TRUE(target.SameAs(v));
    EXPECT_TRUE(moved.IsEmpty());
    target.Clear();
    EXPECT_TRUE(target.IsEmpty());
    // Overwriting a value of any kind with a value of every other kind.
    for (const KindCase& other : AllKinds()) {
      Variant w = k.Make();
      w = other.Make();
      EXPECT_EQ(w.VarType(), other.Type);
    }
  }
}

TEST(Variant, StringCopiesShareAndWideCopiesDuplicate) {
  Variant a("shared");
  Variant b(a);
  EXPECT_EQ(a.RawPointer(), b.RawPointer());
  EXPECT_EQ(a.AsAnsiStringRaw().RefCount(), 3);  // a, b and the temporary
  b.Clear();
  EXPECT_EQ(a.AsAnsiStringRaw().RefCount(), 2);

  Variant w(u"wide");
  Variant w2(w);
  EXPECT_NE(w.RawPointer(), w2.RawPointer());
  EXPECT_EQ(w2.AsOleStrRaw(), u"wide");
  EXPECT_EQ(sys::SysStringLen(static_cast<sys::BStr>(w.RawPointer())), 4u);
  EXPECT_TRUE(Variant(u"").AsOleStrRaw().empty());
}

TEST(Variant, ArrayCopiesAreDeep) {
  Variant a = MakeArray();
  Variant b(a);
  ASSERT_NE(a.AsArrayRaw(), b.AsArrayRaw());
  VarArrayData(b.AsArrayRaw())[0] = Variant("changed");
  EXPECT_EQ(VarArrayData(a.AsArrayRaw())[0].AsAnsiStringRaw(), "first");
  EXPECT_EQ(a.AsArrayRaw()->Bounds[0].LowBound, 1);
  EXPECT_EQ(a.AsArrayRaw()->Bounds[0].ElementCount, 3u);
  EXPECT_FALSE(a.SameAs(b));
}

TEST(Variant, ArrayCreateRejectsBadBounds) {
  const std::int32_t reversed[] = {5, 2};
  EXPECT_THROW(VarArrayCreate(reversed, 1), EVariantError);
  const std::int32_t ok[] = {0, -1};  // an empty array is fine
  VarArray* a = VarArrayCreate(ok, 1);
  EXPECT_EQ(VarArrayElementCount(a), 0u);
  VarArrayDestroy(a);
}

TEST(Variant, InterfacesAreReferenceCounted) {
  CountedUnknown obj;
  {
    Variant v = Variant::FromInterface(&obj);
    EXPECT_EQ(obj.Refs, 2u);
    Variant c(v);
    EXPECT_EQ(obj.Refs, 3u);
    Variant m(std::move(c));
    EXPECT_EQ(obj.Refs, 3u);
  }
  EXPECT_EQ(obj.Refs, 1u);
}

TEST(Variant, ByRefDoesNotOwnItsTarget) {
  std::int32_t target = 5;
  Variant r = Variant::FromByRef(varInteger, &target);
  EXPECT_EQ(r.VarType(), varInteger | varByRef);
  Variant c(r);
  EXPECT_EQ(c.RawPointer(), &target);
  r.Clear();
  c.Clear();
  EXPECT_EQ(target, 5);
}
