#pragma once
// The language-file lines of the program's own messages, from 222 on, each named once. Every
// market's language file has them all (tests/check_texts.py reads this header and checks that);
// code names a line here, never by its number.

namespace veltaro::lines {

// Case commands.
inline constexpr int NotSaved = 222;
inline constexpr int SavedInPart = 223;
inline constexpr int NotOpened = 224;
inline constexpr int NotDeleted = 225;
inline constexpr int NoSuchCase = 226;
inline constexpr int DeleteQuestion = 227;
inline constexpr int FilesLeft = 228;
inline constexpr int PartsNotOpened = 229;
inline constexpr int ResultInvalid = 230;
inline constexpr int CutWarning = 231;
inline constexpr int SaveAnyway = 232;
inline constexpr int CutValue = 233;
inline constexpr int CutOffSave = 234;
inline constexpr int InUse = 235;
inline constexpr int NoCalculation = 236;
inline constexpr int ShortRecord = 237;
inline constexpr int ShortHeader = 238;
inline constexpr int OldCaseOnDisk = 259;
inline constexpr int CutOffUndone = 260;
inline constexpr int CaseMixed = 261;
inline constexpr int FromCutOffSave = 262;
inline constexpr int FromSaveBefore = 263;
inline constexpr int FromEitherSave = 264;
inline constexpr int MixedQuestion = 265;
inline constexpr int WindowFromCutOff = 267;
inline constexpr int WindowFromBefore = 268;
inline constexpr int WindowFromEither = 269;
inline constexpr int SaveMixed = 271;
inline constexpr int ReplaceCase = 321;

// What went wrong with a file, and why.
inline constexpr int ReadFailed = 239;
inline constexpr int WriteFailed = 240;
inline constexpr int ReplaceFailed = 241;
inline constexpr int RemoveFailed = 242;
inline constexpr int ReadOnly = 243;
inline constexpr int NotAFile = 244;
inline constexpr int OthersFile = 245;
inline constexpr int LockDenied = 272;
inline constexpr int BadName = 246;
inline constexpr int AccessDenied = 247;
inline constexpr int DiskFull = 248;
inline constexpr int TooLarge = 249;
inline constexpr int NoFolder = 250;
inline constexpr int NotFound = 322;
inline constexpr int WriteProtected = 251;
inline constexpr int ReadOnlyFolder = 327;
// A mixed case where nothing can be written, opened as its files stand.
inline constexpr int MixedUnwritable = 326;
inline constexpr int SystemError = 255;

// The report file.
inline constexpr int ReportNotWritten = 252;
inline constexpr int ReportInPart = 253;
inline constexpr int ReportInUse = 254;
inline constexpr int OldReportOnDisk = 270;

// Notes on reopening a case.
inline constexpr int NoSuchChoice = 256;
inline constexpr int NoSuchField = 257;
inline constexpr int NotInList = 258;

// Calculations.
inline constexpr int NumberTooLarge = 266;
inline constexpr int SavingTooLarge = 276;
inline constexpr int BelowAbsoluteZero = 320;

// The office program, the help viewer and the window model's own words.
inline constexpr int ActionFailed = 286;
inline constexpr int CalcNotStarted = 287;
inline constexpr int WriterNotStarted = 288;
inline constexpr int CalcFailed = 289;
inline constexpr int WriterFailed = 290;
inline constexpr int ExitStatus = 291;
inline constexpr int StoppedUnexpectedly = 292;
inline constexpr int ReportIsIn = 293;
inline constexpr int HelpMissing = 294;
inline constexpr int HelpBack = 295;
inline constexpr int HelpForward = 296;

// Data-file problems; also shown at start-up, before the language file is read, in the
// fixed English of TextOr.
inline constexpr int DataLine = 297;
inline constexpr int FileMissing = 298;
inline constexpr int FileUnreadable = 299;
inline constexpr int FileUnwritable = 300;
inline constexpr int FileEmpty = 301;
inline constexpr int FileTooLong = 302;
inline constexpr int ContactTooShort = 303;
inline constexpr int NoProductNameEnd = 304;
inline constexpr int NoNumberEnd = 305;
inline constexpr int NoThicknessEnd = 306;
inline constexpr int ThicknessOutOfRange = 307;
inline constexpr int NoProducts = 308;
inline constexpr int NoCodePage = 309;
inline constexpr int CannotStartData = 310;
inline constexpr int Reinstall = 311;
inline constexpr int CannotStart = 312;

// The words of the message boxes' buttons, "&" before the access key.
inline constexpr int ButtonYes = 313;
inline constexpr int ButtonNo = 314;
inline constexpr int ButtonOk = 315;
inline constexpr int ButtonCancel = 316;
inline constexpr int ButtonAbort = 317;
inline constexpr int ButtonRetry = 318;
inline constexpr int ButtonIgnore = 319;

}  // namespace veltaro::lines
