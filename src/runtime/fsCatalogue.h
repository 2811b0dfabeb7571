// ExportCatalogue: what a script registers, as a tree for the editor's function list.
// Under the given element: "Functions" (one child per category, each with one "item"
// per routine), "Classes" (one "item" per class with one "item" per member), "Types"
// (one "item" per enumeration or set), "Variables" and "Constants". Each entry's text
// is text="..." (and description="..." for routines), written without escaping.
#pragma once

#include <string>
#include <vector>

namespace fs {

class TfsScript;
class TfsXMLItem;

// Writes the script's own items (not its parent's); with functionsOnly only routines.
void ExportCatalogue(const TfsScript& script, TfsXMLItem* item, bool functionsOnly);

// One name the editor completes: 'f' a routine (with its declaration), 'c' a class,
// 'k' a constant or enumeration value.
struct TfsCatalogueName {
  char Kind = 'f';
  std::string Name;
  std::string Declaration;
};

// The routines, classes and constants the script registers itself (not its parent's).
std::vector<TfsCatalogueName> CatalogueNames(const TfsScript& script);

}  // namespace fs
