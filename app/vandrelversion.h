#ifndef VANDRELVERSION_H
#define VANDRELVERSION_H

// Facts about this build, set by the build system: the version that the
// three programs print and the package carries, and where the installed
// translations lie.
namespace VandrelVersion {

// "0.1"
const char *Number();
// The installed translations' folder, relative to the programs' folder
// ("../share/vandrel/translations").
const char *TranslationsFromBin();

} // namespace VandrelVersion

#endif // VANDRELVERSION_H
