#include "fileio/file_error.h"

#include <cerrno>

namespace fileio {

std::string fileErrorText(FileError kind) {
    switch (kind) {
        case FileError::AccessDenied:
            return "нет прав доступа";
        case FileError::NotFound:
            return "файл или папка не существует";
        case FileError::FileInPath:
            return "в пути файл стоит на месте папки";
        case FileError::NoSpace:
            return "нет места на диске";
        case FileError::TooLarge:
            return "файл больше, чем здесь разрешено";
        case FileError::ReadOnlyMedium:
            return "носитель только для чтения";
        case FileError::IsFolder:
            return "это папка, а не файл";
        case FileError::NameTooLong:
            return "слишком длинное имя";
        case FileError::LinkLoop:
            return "символические ссылки замкнуты в круг";
        case FileError::InputOutput:
            return "ошибка ввода-вывода";
        case FileError::Interrupted:
            return "операция прервана";
        case FileError::InUse:
            return "файл открыт другой программой";
        case FileError::BadName:
            return "недопустимое имя файла";
        case FileError::Other:
            break;
    }
    return {};
}

std::string notAFileText(NotAFile kind) {
    switch (kind) {
        case NotAFile::Folder:
            return "это папка, а не файл";
        case NotAFile::Fifo:
            return "это канал (FIFO), а не файл";
        case NotAFile::Device:
            return "это устройство, а не файл";
        case NotAFile::Socket:
            return "это сокет, а не файл";
        case NotAFile::Other:
            break;
    }
    return "это не обычный файл";
}

int errnoOf(FileError kind) {
    switch (kind) {
        case FileError::AccessDenied:
            return EACCES;
        case FileError::NotFound:
            return ENOENT;
        case FileError::FileInPath:
            return ENOTDIR;
        case FileError::NoSpace:
            return ENOSPC;
        case FileError::TooLarge:
            return EFBIG;
        case FileError::ReadOnlyMedium:
            return EROFS;
        case FileError::IsFolder:
            return EISDIR;
        case FileError::NameTooLong:
            return ENAMETOOLONG;
        case FileError::LinkLoop:
            return ELOOP;
        case FileError::Interrupted:
            return EINTR;
        case FileError::InUse:
            return EBUSY;
        case FileError::BadName:
            return EINVAL;
        case FileError::InputOutput:
        case FileError::Other:
            break;
    }
    return EIO;
}

FileError fileErrorOfErrno(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return FileError::AccessDenied;
        case ENOENT:
            return FileError::NotFound;
        case ENOTDIR:
            return FileError::FileInPath;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return FileError::NoSpace;
        case EFBIG:
            return FileError::TooLarge;
        case EROFS:
            return FileError::ReadOnlyMedium;
        case EISDIR:
            return FileError::IsFolder;
        case ENAMETOOLONG:
            return FileError::NameTooLong;
        case ELOOP:
            return FileError::LinkLoop;
        case EIO:
            return FileError::InputOutput;
        case EINTR:
            return FileError::Interrupted;
        default:
            return FileError::Other;
    }
}

}  // namespace fileio
