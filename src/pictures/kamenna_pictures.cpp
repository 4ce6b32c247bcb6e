/** @file kamenna_pictures.cpp The picture reader: the helper program that reads the data directory's pictures outside the game's process. */
#include "pictures/reader.h"

int main(int argc, char **argv)
{
    return pictures::runReader(argc, argv);
}
