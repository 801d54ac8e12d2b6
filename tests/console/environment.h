// What tests need from the system they run on, alike on each: environment variables, the local
// time zone, a folder of their own and a path that opens but is no file on a disk.
#pragma once

#include <optional>
#include <string>

namespace orvia::testing {

// Sets the environment variable `name` to `value`; the C library and the libraries the program
// loads see the new value. On Windows an empty value removes the variable.
void setEnvironment(const char* name, const char* value);
void removeEnvironment(const char* name);

// Sets the variable for as long as it lives, then restores what was there before.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    std::optional<std::string> saved_;
};

// Sets the local time zone (a TZ value such as "UTC0" or "JST-9") for as long as it lives, then
// restores the one before.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* tz);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> saved_;
};

// Makes the C library read the time zone again after TZ changed.
void reloadTimeZone();

// A new empty folder in the temporary folder, its name starting with `prefix`; empty when none
// could be made.
std::string makeTemporaryFolder(const std::string& prefix);

// A path in `folder` ending in `extension` that opens but is no file on a disk: a FIFO made
// there on POSIX, the null device on Windows.
std::string makeNonDiskFile(const std::string& folder, const std::string& extension);

}  // namespace orvia::testing
