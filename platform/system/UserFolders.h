#pragma once
// Where the desktop keeps a user's files: the home folder, the XDG base folders for data and
// settings, and the pictures, music and videos folders of the XDG user folders. Host texts in UTF-8, without a
// trailing separator; empty when neither the variable nor $HOME is set.
#include <string>
#include <string_view>

namespace plat {

// $HOME when it is absolute.
std::string userHomeFolder();
// $XDG_DATA_HOME, else $HOME/.local/share.
std::string userDataHome();
// $XDG_CONFIG_HOME, else $HOME/.config.
std::string userConfigHome();
// Where the user keeps pictures: the folder XDG_PICTURES_DIR names in the settings'
// "user-dirs.dirs" when it is there, else $HOME/Pictures when it is there, else $HOME.
std::string userPicturesFolder();
// Where the user keeps music, found as the pictures are (XDG_MUSIC_DIR, $HOME/Music); empty
// when neither is there.
std::string userMusicFolder();
// Where the user keeps movies, found as the music is (XDG_VIDEOS_DIR, $HOME/Videos).
std::string userVideosFolder();
// The folder XDG_PICTURES_DIR names in the text of a "user-dirs.dirs" file: a quoted absolute
// path or one below "$HOME" (`home` taking its place), the last such line holding; empty when
// the text names none.
std::string picturesFolderOfUserDirs(std::string_view text, const std::string& home);
// The same for another of the file's keys ("XDG_MUSIC_DIR").
std::string folderOfUserDirs(std::string_view text, std::string_view key, const std::string& home);

}  // namespace plat
