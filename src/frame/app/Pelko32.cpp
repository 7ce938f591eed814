#include "frame/ui/MainProgram.h"

int main(int argc, char** argv) { return MainProgramBlock(argc, argv); }
