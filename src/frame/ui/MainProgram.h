#pragma once
// The main program from start to end; the executable's main is this call.

int MainProgramBlock(int argc, char** argv);
