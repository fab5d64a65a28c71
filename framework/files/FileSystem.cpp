#include "files/FileSystem.h"
#include "files/FileSystemFactory.h"

FileSystem::~FileSystem() = default;

FileSystemFactory::~FileSystemFactory() = default;
