#pragma once
// The three standard descriptors, made safe before the program opens any
// file of its own.
//
// A program started with standard input, output or error closed would hand
// the next descriptor it opens (a pipe, a save) the number 0, 1 or 2, and
// then read its own pipe as keys or print into a save. Each one that is
// closed is opened on /dev/null instead: a closed input then reads as the
// end of input, a closed output swallows what is written to it.
void openClosedStandardStreams();
