#include "shell/cli_host.h"

#include <chrono>
#include <ctime>

namespace vorex {

void CliHost::MessageBox(const std::string& text) { messages_ << "message: " << text << '\n'; }

std::optional<std::string> CliHost::TakePendingFile() {
  std::optional<std::string> name = std::move(pendingFile_);
  pendingFile_.reset();
  return name;
}

std::optional<std::string> CliHost::OpenFileName(const std::string&) { return TakePendingFile(); }

std::optional<std::string> CliHost::SaveFileName(const std::string&) { return TakePendingFile(); }

double CliHost::SecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const double fraction =
      std::chrono::duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

}  // namespace vorex
