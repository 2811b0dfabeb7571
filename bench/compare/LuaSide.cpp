#include "compare/LuaSide.h"

#include <lua.hpp>

#include <cmath>
#include <stdexcept>
#include <string>

#include "Public/Common/orbParamLst.h"
#include "compare/CompileProgram.h"
#include "compare/ComputePrograms.h"
#include "compare/RowFilterCase.h"
#include "rtl/CodePage.h"
#include "rtl/VariantConvert.h"

namespace compare {

namespace {

// A Lua state with the standard libraries, closed with its owner.
class LuaState {
public:
  LuaState() : FState(luaL_newstate()) {
    if (!FState) throw std::runtime_error("cannot create a Lua state");
    luaL_openlibs(FState);
  }
  ~LuaState() { lua_close(FState); }
  LuaState(const LuaState&) = delete;
  LuaState& operator=(const LuaState&) = delete;
  lua_State* get() const { return FState; }

private:
  lua_State* FState;
};

// The error value on top of the stack as text (an error need not be a string).
std::string ErrorText(lua_State* L) {
  const char* text = lua_tostring(L, -1);
  return text ? text : luaL_typename(L, -1);
}

// Loads a chunk and keeps it in the registry; its reference.
int LoadChunk(lua_State* L, const char* source) {
  if (luaL_loadstring(L, source) != LUA_OK) {
    std::string error = ErrorText(L);
    lua_pop(L, 1);
    throw std::runtime_error("Lua does not compile: " + error);
  }
  return luaL_ref(L, LUA_REGISTRYINDEX);
}

void PushVariant(lua_State* L, const rtl::Variant& v) {
  switch (v.VarType()) {
    case rtl::varInteger: lua_pushinteger(L, v.AsIntegerRaw()); break;
    case rtl::varInt64: lua_pushinteger(L, v.AsInt64Raw()); break;
    case rtl::varDouble: lua_pushnumber(L, v.AsDoubleRaw()); break;
    case rtl::varBoolean: lua_pushboolean(L, v.AsBooleanRaw()); break;
    case rtl::varOleStr: {
      const rtl::AnsiString s = rtl::WideToAnsi(v.AsOleStrRaw());
      lua_pushlstring(L, s.c_str(), s.Length());
      break;
    }
    case rtl::varString: {
      const rtl::AnsiString s = v.AsAnsiStringRaw();
      lua_pushlstring(L, s.c_str(), s.Length());
      break;
    }
    case rtl::varEmpty:
    case rtl::varNull: lua_pushnil(L); break;
    default: {
      const rtl::AnsiString s = rtl::VarToStr(v);
      lua_pushlstring(L, s.c_str(), s.Length());
    }
  }
}

rtl::Variant ToVariant(lua_State* L, int index) {
  switch (lua_type(L, index)) {
    case LUA_TNUMBER:
      if (lua_isinteger(L, index)) {
        const lua_Integer i = lua_tointeger(L, index);
        if (i >= INT32_MIN && i <= INT32_MAX) return rtl::Variant(static_cast<std::int32_t>(i));
        return rtl::Variant(static_cast<std::int64_t>(i));
      }
      return rtl::Variant(static_cast<double>(lua_tonumber(L, index)));
    case LUA_TSTRING: {
      std::size_t length = 0;
      const char* s = lua_tolstring(L, index, &length);
      return rtl::Variant(rtl::AnsiString(s, length));
    }
    case LUA_TBOOLEAN: return rtl::Variant(lua_toboolean(L, index) != 0);
    default: return rtl::Variant::Null();
  }
}

class LuaFilter : public TimedSide {
public:
  LuaFilter(std::shared_ptr<const orb::TorbParamsList> packet, int rows) : FPacket(std::move(packet)), FRows(rows) {
    lua_State* L = FLua.get();
    lua_rawgeti(L, LUA_REGISTRYINDEX, LoadChunk(L, kFilterLua));
    if (lua_pcall(L, 0, 1, 0) != LUA_OK || !lua_isfunction(L, -1))
      throw std::runtime_error("the Lua filter chunk does not return a function");
    FFilter = luaL_ref(L, LUA_REGISTRYINDEX);
  }

  void Run() override {
    lua_State* L = FLua.get();
    FOut.Clear();
    FError.clear();
    const orb::TorbParamsList& in = *FPacket;
    const std::int32_t count = in.Count();
    std::int32_t i = 0;
    while (i < count) {
      lua_rawgeti(L, LUA_REGISTRYINDEX, FFilter);
      lua_createtable(L, 0, 10);
      for (; i < count; ++i) {
        const orb::TorbParamsListItem* item = in.Items(i);
        if (item->IsRowMarker()) break;
        PushVariant(L, item->Value);
        lua_setfield(L, -2, item->Name.c_str());
      }
      ++i;  // past the row marker
      lua_pushvalue(L, -1);  // the table stays below the call for reading back
      lua_insert(L, -3);
      if (lua_pcall(L, 1, 1, 0) != LUA_OK) {
        if (FError.empty()) FError = ErrorText(L);
        lua_pop(L, 2);
        continue;
      }
      const bool kept = lua_toboolean(L, -1);
      lua_pop(L, 1);
      if (kept) {
        lua_pushnil(L);
        while (lua_next(L, -2)) {
          // Only string keys are variables; reading a key with lua_tolstring is safe
          // because it is a string already.
          if (lua_type(L, -2) == LUA_TSTRING) {
            std::size_t length = 0;
            const char* name = lua_tolstring(L, -2, &length);
            FOut.Add(std::string_view(name, length), ToVariant(L, -1));
          }
          lua_pop(L, 1);
        }
        FOut.AddRowMarker();
      }
      lua_pop(L, 1);
    }
  }

  std::string Verify() override {
    if (!FError.empty()) return "the Lua filter failed: " + FError;
    return CheckFilterOutput(&FOut, FRows);
  }

  const orb::TorbParamsList* Output() const override { return &FOut; }

private:
  LuaState FLua;
  int FFilter = LUA_NOREF;
  std::shared_ptr<const orb::TorbParamsList> FPacket;
  int FRows;
  orb::TorbRowsParamsList FOut;
  std::string FError;
};

class LuaProgram : public TimedSide {
public:
  explicit LuaProgram(const ComputeProgram& program)
      : FChunk(LoadChunk(FLua.get(), program.Lua)), FExpected(program.Expected) {}

  void Run() override {
    lua_State* L = FLua.get();
    lua_rawgeti(L, LUA_REGISTRYINDEX, FChunk);
    if (lua_pcall(L, 0, 1, 0) != LUA_OK) {
      FError = ErrorText(L);
      FResult = NAN;
    } else {
      FResult = lua_tonumber(L, -1);
    }
    lua_pop(L, 1);
  }

  std::string Verify() override {
    if (!FError.empty()) return "the Lua chunk failed: " + FError;
    if (FResult != FExpected)
      return "the result is " + std::to_string(FResult) + " where " + std::to_string(FExpected) + " is due";
    return {};
  }

private:
  LuaState FLua;
  int FChunk;
  double FExpected;
  double FResult = NAN;
  std::string FError;
};

class LuaCompile : public TimedSide {
public:
  LuaCompile(std::shared_ptr<const GeneratedProgram> program, int compiles)
      : FProgram(std::move(program)), FCompiles(compiles) {}

  void Run() override {
    lua_State* L = FLua.get();
    for (int i = 0; i < FCompiles; ++i) {
      if (luaL_loadstring(L, FProgram->Lua.c_str()) != LUA_OK && FError.empty()) FError = ErrorText(L);
      lua_pop(L, 1);
    }
  }

  std::string Verify() override {
    if (!FError.empty()) return "Lua does not compile: " + FError;
    lua_State* L = FLua.get();
    if (luaL_loadstring(L, FProgram->Lua.c_str()) != LUA_OK || lua_pcall(L, 0, 3, 0) != LUA_OK) {
      std::string error = ErrorText(L);
      lua_pop(L, 1);
      return "the Lua chunk failed: " + error;
    }
    const lua_Integer count = lua_tointeger(L, -3);
    const double total = lua_tonumber(L, -2);
    const std::string name = lua_tostring(L, -1) ? lua_tostring(L, -1) : "";
    lua_pop(L, 3);
    if (count != FProgram->Count)
      return "gCount is " + std::to_string(count) + " where " + std::to_string(FProgram->Count) + " is due";
    if (std::fabs(total - FProgram->Total) > 1e-9 * std::fabs(FProgram->Total))
      return "gTotal is " + std::to_string(total) + " where " + std::to_string(FProgram->Total) + " is due";
    if (name != FProgram->Name) return "gName is " + name + " where " + FProgram->Name + " is due";
    return {};
  }

private:
  std::shared_ptr<const GeneratedProgram> FProgram;
  int FCompiles;
  LuaState FLua;
  std::string FError;
};

}  // namespace

const char* LuaRelease() { return LUA_RELEASE; }

std::unique_ptr<TimedSide> MakeLuaFilter(std::shared_ptr<const orb::TorbParamsList> packet, int rows) {
  return std::make_unique<LuaFilter>(std::move(packet), rows);
}

std::unique_ptr<TimedSide> MakeLuaProgram(const ComputeProgram& program) {
  return std::make_unique<LuaProgram>(program);
}

std::unique_ptr<TimedSide> MakeLuaCompile(std::shared_ptr<const GeneratedProgram> program, int compiles) {
  return std::make_unique<LuaCompile>(std::move(program), compiles);
}

}  // namespace compare
