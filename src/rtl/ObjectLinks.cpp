#include "rtl/ObjectLinks.h"

#include <mutex>
#include <unordered_map>

#include "rtl/Object.h"

namespace rtl {

namespace {

struct Visitors {
  std::mutex Mutex;
  std::unordered_map<TClass, TObjectLinksVisitor> Map;
};

// Never freed: registrations run during start-up in any order, visits until the end.
Visitors& Registered() {
  static Visitors* visitors = new Visitors();
  return *visitors;
}

}  // namespace

void RegisterObjectLinks(const TClassInfo& cls, TObjectLinksVisitor visitor) {
  auto& visitors = Registered();
  std::lock_guard<std::mutex> guard(visitors.Mutex);
  visitors.Map[&cls] = visitor;
}

void VisitObjectLinks(const TObject& object, TObjectLinks& links) {
  auto& visitors = Registered();
  for (TClass cls = &object.ClassInfo(); cls; cls = cls->ClassParent()) {
    TObjectLinksVisitor visitor = nullptr;
    {
      std::lock_guard<std::mutex> guard(visitors.Mutex);
      auto it = visitors.Map.find(cls);
      if (it != visitors.Map.end()) visitor = it->second;
    }
    if (visitor) visitor(object, links);
  }
}

}  // namespace rtl
