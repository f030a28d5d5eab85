#pragma once

// Makes sure that descriptors 0, 1 and 2 are open, on /dev/null where they were closed, so
// that nothing the program opens later (a file, the display's connection) takes the place
// of standard input, output or error and receives what is meant for them. Call it first
// thing in main(), before anything is opened. Returns false when a descriptor was closed
// and could not be opened again.
bool OpenStandardDescriptors();
