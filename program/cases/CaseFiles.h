#pragma once
// The files of a case on disk: a header <base>.DAT and beside it one record file per
// calculation, <base>.C01 ... <base>.C07 and <base>.C21 ... <base>.C24, saved together as one
// set (files/WholeFiles.h) with the list <base>.PND. Names are matched without regard to
// letter case, as the file system the cases were first written on did, so "roof.dat" and
// "ROOF.C01" belong to the case "roof".

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "files/WholeFiles.h"

namespace veltaro::cases {

inline constexpr int kHeaderLength = 99;
// How long a command waits for another program's use of the case to end.
inline constexpr int kCaseWaitMs = 3000;

// The record extension of a CalcType with its point (".C01"), the empty text otherwise.
std::string CaseExtension(int calcType);

// The path without the extension of its file name; a point in a folder name is kept.
std::string StripExtension(const std::string& path);

// The names of a case's header and record files, without folder.
std::vector<std::string> CaseFileNames(const std::string& stem);
// The case's folder, list, key and own names; `picked`, the header's name as the user chose it
// (in any letter case), is the case's model.
FileSetPlace CasePlace(const std::string& base, const std::string& picked = {});

// One command's hold on a case: its lock taken and its folder listed once. FileError InUse
// when another program keeps the case, BadName for a name no case can have (one of the
// writer's own), and the error of the lock file or the listing otherwise. An open may go on
// without the lock in a folder it may only read.
//
// In a folder with the sticky bit, the case is the files of the owner of the header the user
// picked (FileSetWriter::partOfSet): another account's file at a case file's name is not found,
// not written and not removed, and an open names it (leftOut). Only the case's owner, and the
// superuser, change the case there: anyone else, the folder's owner too, opens it as its files
// stand, and a save or Delete of it stops before anything is written (OwnedByAnother). Names are matched as the file system
// matches them: in any letter case (FoldName), and where the folder shows no such spelling, by
// asking the file system for the name itself; two spellings that are one file are one file.
class CaseFolder {
 public:
  // `chosen`: the file the user chose, whose name, where it is a header's, is the header picked.
  CaseFolder(const std::string& base, FileOps& ops, bool forReading = false,
             const std::string& chosen = {});
  // See FileSetWriter.
  bool unchanged() { return writer_.unchanged(); }

  // See FileSetWriter.
  bool settle(const std::function<bool(const FileError&)>& ask) { return writer_.settle(ask); }
  void write(const std::vector<FileContent>& files, const std::vector<std::string>& removals) {
    writer_.write(files, removals);
  }

  // The name of the case's regular file with this extension, by the one name rule; empty
  // when there is none.
  std::string find(std::string_view extension) const;
  // The name to write the file under: the case's existing file of that name, else the case's
  // name (another account's spelling is never taken).
  std::string nameFor(std::string_view extension) const;
  // The names of the record files that exist, then of the header if it exists: by the one
  // name rule, or with `everyVariant` each extension's names in every letter case there is.
  std::vector<std::string> existing(bool everyVariant = false) const;
  // Files at the case's names that are no part of it, and lists of it left alone.
  std::vector<std::string> leftOut() const;
  // Folders, links and devices at the case's names.
  std::vector<std::string> inTheWay() const;
  std::string path(const std::string& name) const { return writer_.path(name); }
  // The first `maxBytes` bytes of a file of the case; FileError when it cannot be read.
  std::string read(const std::string& name, std::size_t maxBytes) const;
  // Removes the files as one set, as write() writes one (FileError as it throws). A read-only
  // file is not removed, nor is any other then: the errors of every read-only one.
  std::vector<FileError> remove(const std::vector<std::string>& names);

 private:
  // The entries at the case's name with this extension, in every letter case, regular files
  // of the case (or, with `all`, whatever they are), each file once.
  std::vector<std::string> variants(std::string_view extension, bool all = false) const;
  // The entries at any of the case's names, whatever they are, that `pick` takes.
  std::vector<std::string> atNames(const std::function<bool(const FileInfo&)>& pick) const;
  FileOps& ops_;
  std::string stem_;
  std::string header_;  // the header's name as picked
  FileSetWriter writer_;
};

// The header file's 99 bytes from the three values, and back.
std::string EncodeHeader(const std::string& initials, const std::string& name,
                         const std::string& date);
struct HeaderValues {
  std::string initials, name, date;  // as stored, blanks included
};
// A header shorter than 99 bytes gives empty values.
HeaderValues DecodeHeader(const std::string& bytes);

}  // namespace veltaro::cases
