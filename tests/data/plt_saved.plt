6.15400
1.53430
3.57050
.0020532
1.00000
5.500
21.00
25.00
30.25
56.00
1
 0 	Energy 0 is kg, 1 is lbs, 2 is Mcal/kg 3 is mcal/lb 4 is MJ/kg
 0 
 1 
