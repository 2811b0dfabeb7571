#include "runtime/fsClassTable.h"

#include "runtime/fsRegistry.h"

namespace fs {

void RegisterClassTable(TfsRegistry& registry, std::span<const TfsClassRow> table, const TfsMethodCallback& method,
                        const TfsPropertyGetter& getter, const TfsPropertySetter& setter) {
  TfsClassMembers cls;
  for (const TfsClassRow& row : table) {
    switch (row.Kind) {
      case TfsClassRowKind::Class: cls = registry.RegisterClassType(&row.Info(), row.Text); break;
      case TfsClassRowKind::Method: {
        const std::string declaration = row.Text;
        if (declaration.compare(0, 12, "constructor ") == 0)
          cls.DeclareConstructor(declaration, method);
        else
          cls.DeclareMethod(declaration, method);
        break;
      }
      case TfsClassRowKind::Property:
        cls.DeclareProperty(row.Text, row.TypeName, getter, row.ReadOnly ? TfsPropertySetter() : setter);
        break;
      case TfsClassRowKind::Indexed:
        cls.DeclareIndexedProperty(row.Text, row.IndexTypes, row.TypeName, method, row.ReadOnly);
        break;
      case TfsClassRowKind::Default:
        cls.DeclareDefaultProperty(row.Text, row.IndexTypes, row.TypeName, method, row.ReadOnly);
        break;
      case TfsClassRowKind::Event: cls.DeclareEvent(row.Text, row.Adapter); break;
    }
  }
}

}  // namespace fs
