#include "app/system_error_text.h"

#include <cerrno>

namespace pannellonistica {

std::string SystemErrorText(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "accesso negato";
    case EROFS:
      return "il disco è di sola lettura";
    case ENOENT:
      return "la cartella non esiste";
    case ENOTDIR:
      return "una parte del percorso non è una cartella";
    case EISDIR:
      return "al suo posto c'è una cartella";
    case ENOSPC:
    case EDQUOT:
      return "il disco è pieno";
    case EFBIG:
      return "il disco è pieno (il file supera la dimensione consentita)";
    case ELOOP:
      return "troppi collegamenti simbolici (un collegamento rimanda a sé)";
    case ENAMETOOLONG:
      return "il nome è troppo lungo";
    case EINVAL:
      return "non è un file normale";
    case EIO:
      return "errore di lettura o scrittura del disco";
    case EMFILE:
    case ENFILE:
      return "troppi file aperti";
    case EBUSY:
    case ETXTBSY:
      return "il file è in uso";
    default:
      return "errore di sistema " + std::to_string(error);
  }
}

}  // namespace pannellonistica
