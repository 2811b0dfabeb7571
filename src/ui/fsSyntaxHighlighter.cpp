#include "ui/fsSyntaxHighlighter.h"

#include <algorithm>

namespace ui {

namespace {

const char* const kKeywords[] = {
    // stPascal
    "and,array,begin,case,const,div,do,downto,else,end,except,finally,for,function,if,in,is,mod,nil,not,of,or,"
    "procedure,program,repeat,shl,shr,string,then,to,try,until,uses,var,while,with,xor",
    // stCpp
    "bool,break,case,char,continue,define,default,delete,do,double,else,except,finally,float,for,if,include,int,is,"
    "new,return,string,switch,try,variant,void,while",
    // stJs
    "break,case,continue,default,delete,do,else,except,finally,for,function,import,in,is,if,new,return,switch,try,"
    "var,while,with",
    // stVB
    "addressof,and,as,byref,byval,case,catch,delete,dim,do,else,elseif,end,endif,exit,finally,for,function,if,"
    "imports,is,loop,mod,new,next,not,or,rem,return,select,set,step,sub,then,to,try,wend,while,with,xor",
    // stSQL
    "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,cache,cast,check,"
    "column,commit,committed,computed,conditional,constraint,containing,count,create,current,cursor,database,debug,"
    "declare,default,delete,desc,descending,distinct,do,domain,drop,else,end,entry_point,escape,exception,execute,"
    "exists,exit,external,extract,filter,for,foreign,from,full,function,generator,grant,group,having,if,in,inactive,"
    "index,inner,insert,into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,only,or,order,"
    "outer,parameter,password,plan,position,primary,privileges,procedure,protected,read,retain,returns,revoke,right,"
    "rollback,schema,select,set,shadow,shared,snapshot,some,suspend,table,then,to,transaction,trigger,uncommitted,"
    "union,unique,update,user,using,values,view,wait,when,where,while,with,work",
    // stText
    "",
};

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsWordChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

}  // namespace

const rtl::TEnumInfo& SyntaxTypeTypeInfo() {
  static const rtl::TEnumInfo info{"TSyntaxType", {"stPascal", "stCpp", "stJs", "stVB", "stSQL", "stText"}};
  return info;
}

TfsSyntaxHighlighter::TfsSyntaxHighlighter(TSyntaxType type) : FType(stText) { SetSyntaxType(type); }

void TfsSyntaxHighlighter::SetSyntaxType(TSyntaxType type) {
  FType = type;
  FKeywords.clear();
  std::string_view list = kKeywords[type];
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    FKeywords.emplace(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
  }
}

bool TfsSyntaxHighlighter::IsKeyword(std::string_view word) const {
  std::string lower(word);
  for (char& c : lower) c = Lower(c);
  return FKeywords.count(lower) != 0;
}

void TfsSyntaxHighlighter::AppendLine(std::string_view line) {
  FAttr.emplace_back();
  FStartState.push_back(ClassifyLine(line, FStartState.back(), FAttr.back()));
}

void TfsSyntaxHighlighter::Splice(int first, int removed, int added) {
  // The entry " " after the last line stays last.
  const auto at = static_cast<std::ptrdiff_t>(first);
  FAttr.erase(FAttr.begin() + at, FAttr.begin() + at + removed);
  FAttr.insert(FAttr.begin() + at, static_cast<std::size_t>(added), std::string());
  // Start states: the one of line first stays (nothing before it changed). The old
  // state at the start of the line after the old range goes after the new range, as
  // what the walk compares with; the new lines' own states are worked out again.
  const std::uint8_t following = FStartState[static_cast<std::size_t>(first + removed)];
  FStartState.erase(FStartState.begin() + at + 1, FStartState.begin() + at + 1 + removed);
  if (added > 0) {
    FStartState.insert(FStartState.begin() + at + 1, static_cast<std::size_t>(added), std::uint8_t{0xFF});
    FStartState[static_cast<std::size_t>(first + added)] = following;
  }
}

std::uint8_t TfsSyntaxHighlighter::ClassifyLine(std::string_view s, std::uint8_t state, std::string& attr) {
  ++FClassified;
  attr.assign(s.size(), hcText);
  for (std::size_t k = 0; k < s.size(); ++k)
    if (IsControl(s[k])) attr[k] = s[k];
  const std::size_t n = s.size();
  auto mark = [&](std::size_t from, std::size_t to, char cls) {
    for (std::size_t k = from; k < to && k < n; ++k)
      if (!IsControl(s[k])) attr[k] = cls;
  };
  auto at = [&](std::size_t k) -> char { return k < n ? s[k] : '\0'; };
  const bool pascal = FType == stPascal;
  const bool blockComments = FType != stText;
  const char quote = FType == stPascal ? '\'' : FType == stText ? '\0' : '"';
  const char lineComment = FType == stSQL ? '-' : FType == stText ? '\0' : '/';
  std::size_t i = 0;
  // A block comment that began on an earlier line.
  if (state != 0) {
    const std::size_t f = state == 1 ? s.find('}') : s.find(state == 2 ? "*)" : "*/");
    if (f == std::string_view::npos) {
      mark(0, n, hcComment);
      return state;
    }
    i = f + (state == 1 ? 1 : 2);
    mark(0, i, hcComment);
  }
  while (i < n) {
    const char c = s[i];
    if (IsLetter(c)) {
      std::size_t e = i + 1;
      while (e < n && IsWordChar(s[e])) ++e;
      mark(i, e, IsKeyword(s.substr(i, e - i)) ? hcKeyword : hcText);
      i = e;
    } else if (lineComment && c == lineComment && at(i + 1) == lineComment) {
      mark(i, n, hcComment);
      i = n;
    } else if (pascal && c == '{') {
      const std::size_t e = s.find('}', i + 1);
      mark(i, e == std::string_view::npos ? n : e + 1, hcComment);
      if (e == std::string_view::npos) return 1;
      i = e + 1;
    } else if (blockComments && ((pascal && c == '(') || (!pascal && c == '/')) && at(i + 1) == '*') {
      const char closing = pascal ? ')' : '/';
      std::size_t e;
      if (at(i + 2) == closing) {
        e = i + 3;  // "(*)" and "/*/" are whole comments
      } else {
        const std::size_t f = s.find(pascal ? "*)" : "*/", i + 2);
        if (f == std::string_view::npos) {
          mark(i, n, hcComment);
          return pascal ? 2 : 3;
        }
        e = f + 2;
      }
      mark(i, e, hcComment);
      i = e;
    } else if (quote && c == quote) {
      std::size_t e = i + 1;
      while (e < n && s[e] != quote && s[e] != '\r' && s[e] != '\n') ++e;
      if (e < n && s[e] == quote) ++e;
      mark(i, e, hcString);
      i = e;
    } else {
      ++i;  // plain text, already marked
    }
  }
  return 0;
}

}  // namespace ui
