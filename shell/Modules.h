#pragma once
// The registrations of the program's modules (element classes, class groups, element
// images), run once before the program or a tool loads a document.

namespace quillora {

// Runs every module's initialization once; later calls do nothing.
void InitializeModules();

} // namespace quillora
