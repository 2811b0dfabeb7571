// The sub-commands of velmora-host. Each takes the arguments after its own name and
// returns the process exit code (0 success, 1 a reported failure of the work, 2 bad
// input or a library that cannot be used).
#pragma once

int RunInfo(int argc, char** argv);
int RunParse(int argc, char** argv);
int RunEval(int argc, char** argv);
int RunVerbCommand(int argc, char** argv);
int RunScript(int argc, char** argv);
int RunTest(int argc, char** argv);
int RunCheck(int argc, char** argv);
int RunCatalogue(int argc, char** argv);
int RunEdit(int argc, char** argv);
int RunOptions(int argc, char** argv);
