# The desktop two seconds after start-up, the splash gone.
wait 2000
shot docs/desktop.png
