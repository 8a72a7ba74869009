#pragma once

#include <QStringList>
#include <string>

namespace marvolin::platform::qt {

// The program's one reverse-DNS name: desktop file, icon, AppStream and window grouping.
inline constexpr const char* kApplicationId = "org.marvolin.Marvolin";

// The sound file named on the command line (the arguments after the program's own name, Qt's
// options already taken out), as an absolute path: the first argument that is not an option,
// or every argument after "--"; "file://" URLs become their paths. Empty when none is given.
std::string FileFromArguments(const QStringList& arguments);

}  // namespace marvolin::platform::qt
