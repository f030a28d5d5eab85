#include "StandardDescriptors.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool OpenStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd)
    {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open returns the lowest free descriptor, which is this one: the ones below it are
        // open already.
        const int nOpened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (nOpened != fd)
        {
            if (nOpened >= 0)
                close(nOpened);
            return false;
        }
    }
    return true;
}
