#pragma once
// A small, complete-looking project for the screen tour and the start-up benchmark: two projects,
// a variant with AC and DC loads, chosen equipment, cables and protection, and its copy.

namespace ses {

class Shell;

void buildDemoProject(Shell& shell);

} // namespace ses
