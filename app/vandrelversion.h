#ifndef VANDRELVERSION_H
#define VANDRELVERSION_H

// Facts about this build, set by the build system: the version that the
// three programs print and the package carries, and where the installed
// translations lie.
namespace VandrelVersion {

// "0.2.0" for a release, "0.2.0+git20261207.133049.70ea905" for any other
// build from git (the commit's UTC date and time, and the commit).
const char *Number();
// The installed translations' folder, relative to the programs' folder
// ("../share/vandrel/translations").
const char *TranslationsFromBin();

} // namespace VandrelVersion

#endif // VANDRELVERSION_H
