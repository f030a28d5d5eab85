#include "CWinApp.h"
#include "StandardDescriptors.h"

#include <csignal>

int main(int argc, char** argv)
{
    // Before the display's connection is opened: started with standard output closed, the
    // connection would take its descriptor and receive the search's diagnostic line.
    OpenStandardDescriptors();
    // The diagnostic line and the sound devices may be pipes whose reader has gone: their
    // writes fail and are let go, and the game goes on.
    std::signal(SIGPIPE, SIG_IGN);
    return AfxWinMain(argc, argv);
}
