// Numbers of the kernel messages the code names. The texts are in the message table
// (resources/kernel_messages.inc), looked up by number with errtext; the evaluator and the
// symbol lookups report these numbers as their errors.
#pragma once

namespace yav::msg {

inline constexpr int NoDebugSymbols = 3;
inline constexpr int CantOpen = 5;
inline constexpr int ReadError = 8;
inline constexpr int WriteError = 10;
inline constexpr int UnknownCommand = 11;
inline constexpr int ZeroDivide = 12;
inline constexpr int SyntaxError = 13;
inline constexpr int SymbolNotFound = 15;
inline constexpr int UnknownRegister = 16;
inline constexpr int BreakpointReached = 18;
inline constexpr int CannotRedirect = 22;
inline constexpr int IncorrectArgument = 32;
inline constexpr int StringTooLong = 34;
inline constexpr int NotSupported = 35;
inline constexpr int LogAlreadyOpen = 36;
inline constexpr int CannotCreateFile = 37;
inline constexpr int MissingInputFile = 44;
inline constexpr int NoCSource = 45;
inline constexpr int NoFrame = 46;
inline constexpr int InternalError = 51;
inline constexpr int IncorrectVariable = 52;
inline constexpr int NotAddressable = 53;
inline constexpr int NotAccessible = 54;
inline constexpr int NotKnownInFrame = 100;
inline constexpr int IllegalType = 55;
inline constexpr int NoSuchMember = 56;
inline constexpr int IllegalOperator = 57;
inline constexpr int IllegalExtension = 58;
inline constexpr int IllegalBreakpoint = 59;
inline constexpr int NotUpdatable = 61;
inline constexpr int EntryPointAt = 63;
inline constexpr int InvalidEntryPoint = 64;
inline constexpr int IncorrectFunction = 67;
inline constexpr int Missing = 68;
inline constexpr int Modified = 70;
inline constexpr int BreakpointNotFound = 73;
inline constexpr int NoBreakpoint = 74;
inline constexpr int FileNotFound = 75;
inline constexpr int FunctionNotFound = 76;
inline constexpr int LineNotFound = 77;
inline constexpr int FunctionsInFile = 78;
inline constexpr int NoCodeThere = 85;
inline constexpr int InStackFrame = 86;

}  // namespace yav::msg
