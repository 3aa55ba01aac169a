#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/drawing_list.h"

namespace vorex {

// What a message tells the user, for its icon: a result or a note, a refusal of what was asked
// (nothing changed), or a fault of the computation or the file system.
enum class MessageKind { Information, Warning, Critical };

// What the system needs from the platform. The desktop program, the command interface and the
// tests each provide one.
class Host {
 public:
  virtual ~Host() = default;

  // A modal message box with an OK button; returns when the user has closed it.
  virtual void MessageBox(const std::string& text) = 0;
  // The same with the icon of its kind; a host without icons shows every kind alike.
  virtual void Message(const std::string& text, MessageKind kind) {
    (void)kind;
    MessageBox(text);
  }
  // A short confirmation of what was done ("Saved run1.csv (curve 2)"), shown where it does not
  // stop the user; a host without a status line keeps it to itself.
  virtual void StatusLine(const std::string& text) { (void)text; }
  // The common file dialog; the filter is "description|pattern|description|pattern".
  // Nothing when the user cancels.
  virtual std::optional<std::string> OpenFileName(const std::string& filter) = 0;
  virtual std::optional<std::string> SaveFileName(const std::string& filter) = 0;
  // The file dialog that takes several files; none when the user cancels. A host whose dialog
  // takes one file answers with it.
  virtual std::vector<std::string> OpenFileNames(const std::string& filter) {
    std::optional<std::string> file = OpenFileName(filter);
    if (!file) return {};
    return {std::move(*file)};
  }
  // Seconds since midnight, local time [s].
  virtual double SecondsSinceMidnight() = 0;
  // The hourglass pointer while a long computation blocks the window.
  virtual void SetBusy(bool busy) = 0;
  // Clears the clipboard and puts the plot window's picture on it, as a bitmap of the window's
  // size.
  virtual void CopyPicture(const DrawingList& picture) = 0;
  // Prints the plot window's picture, as the window shows it, on the default printer.
  virtual void PrintPicture(const DrawingList& picture) = 0;
  // Writes the plot window's picture to a file the user names, as a PNG, SVG or PDF by the
  // file's extension, whole or not at all. A host without pictures says so.
  virtual void ExportPicture(const DrawingList& picture) {
    (void)picture;
    Message("Export Plot is not available in this program.", MessageKind::Warning);
  }
  // A list to choose one item from, `preselected` (0-based) offered first; the chosen index, or
  // nothing when the user cancels. A host that cannot ask takes the preselected item.
  virtual std::optional<int> ChooseItem(const std::string& title,
                                        const std::vector<std::string>& items, int preselected) {
    (void)title;
    (void)items;
    return preselected;
  }
  // A question answered Yes (true) or No. A host that cannot ask answers No.
  virtual bool Confirm(const std::string& question) {
    (void)question;
    return false;
  }
  // A question answered Yes, No or Cancel (whether to save changes before they are lost). A host
  // that cannot ask answers No.
  enum class Answer { Yes, No, Cancel };
  virtual Answer AskYesNoCancel(const std::string& question) {
    (void)question;
    return Answer::No;
  }
  // A long computation the user may stop, from Begin to End (see CancellableScope); `what` says
  // what runs ("Fitting…"). In between, the computation asks CancelRequested now and then, where
  // it can stop cleanly: the desktop keeps its windows painted there and offers a Cancel button
  // once the computation has run a second. Scopes may nest; the outermost one counts. A host that
  // cannot ask never cancels, and outside a scope nobody cancels.
  virtual void BeginCancellable(std::string_view what) { (void)what; }
  virtual bool CancelRequested() { return false; }
  virtual void EndCancellable() {}
  // Whether the windows show a computation's intermediate results while it runs (the desktop
  // redraws the plot as each fit iteration ends); a host that does not is spared the drawing.
  virtual bool ShowsProgress() const { return false; }
  // Whether the user answers the questions as they come (the desktop), rather than giving every
  // answer beforehand in the statement (a script): what a message tells the user to do next
  // follows it, a dialog to answer or an option to write.
  virtual bool AsksTheUser() const { return false; }
};

// The hourglass for exactly the life of the scope, however the command ends.
class BusyPointer {
 public:
  explicit BusyPointer(Host& host) : host_(host) { host_.SetBusy(true); }
  ~BusyPointer() { host_.SetBusy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  Host& host_;
};

// A computation the user may cancel, for exactly the life of the scope, however it ends.
class CancellableScope {
 public:
  CancellableScope(Host& host, std::string_view what) : host_(host) {
    host_.BeginCancellable(what);
  }
  ~CancellableScope() { host_.EndCancellable(); }
  CancellableScope(const CancellableScope&) = delete;
  CancellableScope& operator=(const CancellableScope&) = delete;

 private:
  Host& host_;
};

}  // namespace vorex
