# fish completion for marvolin-fx
function __marvolin_fx_effects
    marvolin-fx --list 2>/dev/null
end

complete -c marvolin-fx -s o -l output -r -F -d 'the file to write'
complete -c marvolin-fx -s d -l output-dir -x -a '(__fish_complete_directories)' -d 'one result per input in this folder'
complete -c marvolin-fx -s e -l effect -x -a '(__marvolin_fx_effects)' -d 'one more effect'
complete -c marvolin-fx -s t -l type -x -a 'wav opus mp3 flac ogg m4a' -d 'write this type'
complete -c marvolin-fx -s j -l jobs -x -d 'files processed at a time'
complete -c marvolin-fx -l reader -x -a 'wav aiff au iff snd voc' -d 'read every input with this reader'
complete -c marvolin-fx -l seed -x -d 'seed the random effects'
complete -c marvolin-fx -s n -l no-clobber -d 'keep outputs that exist already'
complete -c marvolin-fx -s f -l force -d 'replace outputs that exist already'
complete -c marvolin-fx -s q -l quiet -d 'no progress and no notes'
complete -c marvolin-fx -l list -d 'print the effects'
complete -c marvolin-fx -l json -d 'with --list: print JSON'
complete -c marvolin-fx -s h -l help -d 'print the help'
complete -c marvolin-fx -l version -d 'print the version'
complete -c marvolin-fx -a '(__marvolin_fx_effects)' -d effect
