screens
wait 1600
screens
print dny.Label2.Caption
